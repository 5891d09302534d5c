#include "platform/qt/logo.h"

#include <QLabel>
#include <QPixmap>

namespace platform::qt {

QLabel* makeLogo(QWidget* parent) {
    auto* logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.gif")));
    logo->resize(logo->pixmap().size());
    return logo;
}

} // namespace platform::qt
