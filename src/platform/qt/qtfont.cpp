#include "platform/qt/qtfont.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace platform::qt {

QFont toQFont(const FontDescription& font) {
    QFont result = QGuiApplication::font();
    if (font.name != SystemFontName)
        result.setFamilies({QString::fromStdString(font.name)});
    const double points = std::isfinite(font.size) ? std::clamp(font.size, 1.0, 1000.0) : 8.0;
    result.setPointSizeF(points);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    return result;
}

FontDescription fromQFont(const QFont& font) {
    FontDescription result;
    result.name = font.family().toStdString();
    result.size = font.pointSizeF() > 0 ? font.pointSizeF() : result.size;
    result.bold = font.bold();
    result.italic = font.italic();
    return result;
}

} // namespace platform::qt
