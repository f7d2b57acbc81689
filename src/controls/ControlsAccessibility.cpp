#include "controls/ControlsAccessibility.h"

#include "controls/BmpButtonAccessible.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/TitleBarControl.h"

namespace {

// A band of the skin as a tool bar holding what it shows: a page leaves the slots it does not
// use hidden and nameless, and a screen reader should not find them as "push button".
class PanelAccessible final : public QAccessibleWidget
{
public:
    explicit PanelAccessible(QWidget* panel) : QAccessibleWidget(panel, QAccessible::ToolBar) {}

    int childCount() const override { return int(Shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QWidgetList shown = Shown();
        return index >= 0 && index < shown.size()
                   ? QAccessible::queryAccessibleInterface(shown[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QWidgetList shown = Shown();
        for (int i = 0; i < shown.size(); ++i) {
            if (child && child->object() == shown[i])
                return i;
        }
        return -1;
    }

private:
    QWidgetList Shown() const
    {
        QWidgetList shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !child->isHidden())
                shown << child;
        }
        return shown;
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<BmpButtonImpl*>(object))
        return new BmpButtonAccessible(button);
    if (qobject_cast<TitleBarControl*>(object) || qobject_cast<BottomButtonsContainer*>(object) ||
        qobject_cast<ButtomNavigation*>(object))
        return new PanelAccessible(static_cast<QWidget*>(object));
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
