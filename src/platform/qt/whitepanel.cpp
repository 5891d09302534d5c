#include "platform/qt/whitepanel.h"

#include <QLabel>
#include <QPalette>

namespace platform::qt {

void makeWhitePanel(QLabel& label) {
    label.setAutoFillBackground(true);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    label.setFrameShape(QFrame::Panel);
    label.setFrameShadow(QFrame::Sunken);
}

} // namespace platform::qt
