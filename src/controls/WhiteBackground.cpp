#include "controls/WhiteBackground.h"

#include <QPalette>
#include <QWidget>

void SetWhiteBackground(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
}
