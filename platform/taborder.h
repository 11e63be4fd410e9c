#pragma once

#include <vector>

class QWidget;

namespace qm {

// Tab and Shift+Tab go from each of `controls` to the next (or previous) one that is shown
// and enabled, in this order, whatever widgets a control is made of (a text box takes the
// focus in its editor, a combo in itself). From the last one, and from other widgets, Tab
// goes on as the window's own order says.
void orderTabStops(const std::vector<QWidget *> &controls);

} // namespace qm
