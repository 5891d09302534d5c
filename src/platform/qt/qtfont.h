#pragma once

#include "platform/font.h"

#include <QFont>

namespace platform::qt {

// The font a description stands for: "System" is the desktop's interface font; sizes are kept
// within what a pane can draw (1 to 1000 points).
QFont toQFont(const FontDescription& font);

// A font chosen in a dialog as the settings keep it.
FontDescription fromQFont(const QFont& font);

} // namespace platform::qt
