#pragma once

#include <QSizeF>

namespace platform::qt {

// The primary screen's logical dots per inch (96 x 96 when there is no screen): the scale of
// fonts in points and of picture sizes in HIMETRIC.
QSizeF screenDpi();

} // namespace platform::qt
