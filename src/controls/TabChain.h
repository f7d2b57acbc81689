#pragma once

#include <QWidget>

#include <vector>

// Puts the widgets into the tab chain in this order, each right after the one before it; the
// first stays where it is. Widgets that take no focus (panels, pictures) may be links too.
void ChainTabOrder(const std::vector<QWidget*>& widgets);
