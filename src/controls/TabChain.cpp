#include "controls/TabChain.h"

#include <utility>

void ChainTabOrder(const std::vector<QWidget*>& widgets)
{
    // Qt reorders only widgets that take focus: lend each link a policy while the chain is built.
    std::vector<std::pair<QWidget*, Qt::FocusPolicy>> policies;
    policies.reserve(widgets.size());
    for (QWidget* widget : widgets) {
        policies.emplace_back(widget, widget->focusPolicy());
        widget->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
    // Backwards: a scroll area's viewport, after it in the chain, passes its own policy (none)
    // on to the area it is the focus proxy of, which must get its own back last.
    for (auto link = policies.rbegin(); link != policies.rend(); ++link)
        link->first->setFocusPolicy(link->second);
}
