#include "skin/FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace {

class FocusReturn final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isWindow())
                Return(*dialog);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Return(const QDialog& dialog)
    {
        QWidget* under = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
        if (!under || !under->isVisible() || under->isActiveWindow())
            return;
        // A program the user went to meanwhile keeps the keys.
        if (QGuiApplication::applicationState() != Qt::ApplicationActive)
            return;
        under->activateWindow();
    }
};

} // namespace

void InstallFocusReturn()
{
    qApp->installEventFilter(new FocusReturn(qApp));
}
