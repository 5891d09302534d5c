#pragma once

#include "platform/color.h"

#include <QColor>
#include <QPalette>

namespace platform::qt {

// A stored colour as the screen shows it; a system colour takes its colour from the palette.
QColor toQColor(Color color, const QPalette& palette);
QColor toQColor(Color color);

// A chosen colour as it is stored (never a system colour).
Color fromQColor(const QColor& color);

} // namespace platform::qt
