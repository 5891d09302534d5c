#include "platform/qt/qtcolor.h"

#include <QGuiApplication>

namespace platform::qt {

namespace {

// The desktop roles that stand for the classic system colours, by index.
QPalette::ColorRole roleOf(int index) {
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return QPalette::Dark;
    case 2:  // active caption
    case 13: // selected item
        return QPalette::Highlight;
    case 3:  // inactive caption
    case 16: // button shadow
        return QPalette::Mid;
    case 4: // menu
        return QPalette::Window;
    case 5: // window background
        return QPalette::Base;
    case 6:  // window frame
    case 21: // dark 3D shadow
        return QPalette::Shadow;
    case 7: // menu text
        return QPalette::WindowText;
    case 8: // window text
        return QPalette::Text;
    case 9:  // caption text
    case 14: // selected item text
        return QPalette::HighlightedText;
    case 17: // disabled text
        return QPalette::PlaceholderText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default: // 15, the face of buttons, and the rest (scroll bar, borders)
        return QPalette::Button;
    }
}

} // namespace

QColor toQColor(Color color, const QPalette& palette) {
    if (isSystemColor(color))
        return palette.color(QPalette::Active, roleOf(systemColorIndex(color)));
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QColor toQColor(Color color) {
    return toQColor(color, QGuiApplication::palette());
}

Color fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return rgbColor(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace platform::qt
