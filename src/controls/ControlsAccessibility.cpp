#include "controls/ControlsAccessibility.h"

#include "controls/BmpButtonAccessible.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/TitleBarControl.h"

namespace {

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<BmpButtonImpl*>(object))
        return new BmpButtonAccessible(button);
    if (qobject_cast<TitleBarControl*>(object) || qobject_cast<BottomButtonsContainer*>(object) ||
        qobject_cast<ButtomNavigation*>(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ToolBar);
    return nullptr;
}

} // namespace

void InstallControlsAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&Factory);
}
