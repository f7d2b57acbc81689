#include "controls/TabChain.h"

#include <utility>

void ChainTabOrder(const std::vector<QWidget*>& widgets)
{
    // A widget whose focus goes to a proxy (a text field's viewport, say) is no link of its own:
    // setting its policy sets its proxy's too, and giving the lent policy back would leave the
    // proxy with the viewport's NoFocus, out of reach of clicks and Tab.
    std::vector<QWidget*> links;
    links.reserve(widgets.size());
    for (QWidget* widget : widgets) {
        if (!widget->focusProxy())
            links.push_back(widget);
    }
    // Qt reorders only widgets that take focus: lend each link a policy while the chain is built.
    std::vector<std::pair<QWidget*, Qt::FocusPolicy>> policies;
    policies.reserve(links.size());
    for (QWidget* widget : links) {
        policies.emplace_back(widget, widget->focusPolicy());
        widget->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t i = 1; i < links.size(); ++i)
        QWidget::setTabOrder(links[i - 1], links[i]);
    for (const auto& [widget, policy] : policies)
        widget->setFocusPolicy(policy);
}
