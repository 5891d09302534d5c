#include "platform/qt/twipsgeometry.h"

#include "platform/numeric.h"
#include "platform/qt/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform::qt {

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double DesignFontPoints = 8.0;

int toPixels(double twips, double dpi) {
    return static_cast<int>(roundHalfEven(twips * dpi / TwipsPerInch));
}

} // namespace

int twipsToPixelsX(double twips) {
    return toPixels(twips, screenDpi().width());
}

int twipsToPixelsY(double twips) {
    return toPixels(twips, screenDpi().height());
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width),
            twipsToPixelsY(height)};
}

QSize twipsSize(int width, int height) {
    return {twipsToPixelsX(width), twipsToPixelsY(height)};
}

void useDesignFont(QWidget& window) {
    QFont font = window.font();
    font.setPointSizeF(DesignFontPoints);
    window.setFont(font);
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // Before the first show the frame is not known yet; the inner size stands for it.
    const QSize size = window.isVisible() ? window.frameGeometry().size() : window.size();
    window.move(area.x() + centred(area.width(), size.width()),
                area.y() + centred(area.height(), size.height()));
}

} // namespace platform::qt
