#include "skin/DropDownName.h"

#include <QAbstractItemView>
#include <QComboBox>

void SetDropDownName(QComboBox* box, const QString& name)
{
    box->setAccessibleName(name);
    box->view()->setAccessibleName(name);
}
