#include "platform/qt/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::qt {

QSizeF screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->logicalDotsPerInchX() <= 0 || screen->logicalDotsPerInchY() <= 0)
        return {96.0, 96.0};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

} // namespace platform::qt
