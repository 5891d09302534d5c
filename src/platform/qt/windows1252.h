#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace platform::qt {

// The program's single-byte text (song lyrics, one character per byte) for display: Windows
// code page 1252, whose 0x80-0x9F hold the euro sign, curly quotes and dashes; the five bytes it
// leaves undefined keep their own code points.
QString fromWindows1252(std::string_view bytes);

// The other way; a character the code page does not hold becomes "?".
std::string toWindows1252(const QString& text);

} // namespace platform::qt
