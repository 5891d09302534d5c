#include "player/ui/lyricpane.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace player::ui {

LyricPane::LyricPane(QWidget* parent) : QWidget(parent) {
    // The page covers the whole widget: Qt need not paint a background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_canvas.resize(size(), devicePixelRatioF());
    m_canvas.setChangeListener([this](const QRect& area) { update(area); });
}

void LyricPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    const qreal ratio = m_canvas.image().devicePixelRatio();
    const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio,
                        area.height() * ratio);
    painter.drawImage(QRectF(area), m_canvas.image(), source);
}

void LyricPane::resizeEvent(QResizeEvent* event) {
    m_canvas.resize(event->size(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}

} // namespace player::ui
