#pragma once

class QLabel;

namespace platform::qt {

// Gives a label the look of a text field: black text on white in a sunken panel.
void makeWhitePanel(QLabel& label);

} // namespace platform::qt
