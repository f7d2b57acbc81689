// The yardstick of start-up: a bare dialog with a label, reporting its first paint as the
// program does when NUTRAVA_REPORT_FIRST_PAINT is set.
#include "app/FirstPaintReport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    StartupElapsedMs();
    QApplication app(argc, argv);
    StartupMark("QApplication");
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("A bare dialog"), &dialog));
    WatchFirstPaint(&dialog);
    dialog.show();
    return app.exec();
}
