#include "platform/qt/qtcanvas.h"

#include "platform/errors.h"
#include "platform/numeric.h"
#include "platform/qt/qtcolor.h"
#include "platform/qt/qtfont.h"
#include "platform/qt/qtpicture.h"
#include "platform/qt/screenmetrics.h"
#include "platform/qt/windows1252.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform::qt {

namespace {

constexpr double MetresPerInch = 0.0254;
constexpr std::size_t MaxCachedWidths = 100000;

// The pixel a coordinate falls on.
int pixel(double coordinate) {
    const double rounded = roundHalfEven(coordinate);
    return static_cast<int>(std::clamp(rounded, -1.0e9, 1.0e9));
}

QImage makeImage(QSize size, qreal devicePixelRatio, QSizeF dpi) {
    const QSize pixels(std::max(1, qRound(size.width() * devicePixelRatio)),
                       std::max(1, qRound(size.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    // Fonts in points come out at the screen's size.
    image.setDotsPerMeterX(qRound(dpi.width() / MetresPerInch));
    image.setDotsPerMeterY(qRound(dpi.height() / MetresPerInch));
    return image;
}

// Half the width of the disc's row dy rows from its centre, or -1 outside the disc.
int discHalfWidth(double radius, int dy) {
    const double squared = radius * radius + radius - double(dy) * dy;
    return squared < 0 ? -1 : static_cast<int>(std::floor(std::sqrt(squared)));
}

} // namespace

QtCanvas::QtCanvas() : QtCanvas(screenDpi()) {}

QtCanvas::QtCanvas(QSizeF dpi)
    : m_dpi(dpi), m_image(makeImage({}, 1.0, dpi)), m_font(toQFont({})),
      m_metrics(m_font, &m_image), m_backColor(systemColor(15)), m_foreColor(systemColor(18)) {
    setFont({});
    paintBackground(m_image);
}

void QtCanvas::resize(QSize size, qreal devicePixelRatio) {
    size = size.expandedTo({0, 0});
    if (size == m_size && devicePixelRatio == m_image.devicePixelRatio())
        return;
    QImage image = makeImage(size, devicePixelRatio, m_dpi);
    paintBackground(image);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPointF(0, 0), m_image);
    }
    m_image = std::move(image);
    m_size = size;
    changed(QRect(QPoint(0, 0), m_size));
}

void QtCanvas::setChangeListener(std::function<void(const QRect&)> listener) {
    m_listener = std::move(listener);
}

double QtCanvas::lineWidth(std::string_view line) const {
    QString text = fromWindows1252(line);
    text.remove(QLatin1Char('\n'));
    return m_metrics.horizontalAdvance(text);
}

double QtCanvas::textWidth(std::string_view text) const {
    if (const auto cached = m_widths.find(text); cached != m_widths.end())
        return cached->second;
    double widest = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\r', start);
        widest = std::max(widest, lineWidth(text.substr(start, end - start)));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (m_widths.size() >= MaxCachedWidths)
        m_widths.clear();
    m_widths.emplace(text, widest);
    return widest;
}

double QtCanvas::textHeight(std::string_view text) const {
    return static_cast<double>(std::count(text.begin(), text.end(), '\r') + 1) * m_lineHeight;
}

void QtCanvas::setFont(const FontDescription& font) {
    m_font = toQFont(font);
    // Latin lyrics need no shaping: glyphs side by side, as lyric panes have always drawn
    // them, and several times faster to measure, which a long song's re-wrap needs.
    m_font.setStyleStrategy(QFont::PreferNoShaping);
    m_metrics = QFontMetricsF(m_font, &m_image);
    // Leading can be negative; lines never overlap.
    m_lineHeight = std::max(m_metrics.height(), m_metrics.lineSpacing());
    m_widths.clear();
}

void QtCanvas::setBackColor(Color color) {
    m_backColor = color;
    cls();
}

void QtCanvas::print(std::string_view text) {
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(toQColor(m_foreColor));
    QRectF area;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\r', start);
        const std::string_view line = text.substr(start, end - start);
        const double width = lineWidth(line);
        if (!line.empty()) {
            QString decoded = fromWindows1252(line);
            decoded.remove(QLatin1Char('\n'));
            painter.drawText(QPointF(m_x, m_y + m_metrics.ascent()), decoded);
            area |= QRectF(m_x, m_y, width, m_lineHeight);
        }
        if (end == std::string_view::npos) {
            m_x += width;
            break;
        }
        m_x = 0;
        m_y += m_lineHeight;
        start = end + 1;
    }
    // Glyphs may reach a little past their advance (italics, overhangs).
    const int slack = static_cast<int>(std::ceil(m_metrics.height() / 4)) + 1;
    changed(area.toAlignedRect().adjusted(-slack, -slack, slack, slack));
}

void QtCanvas::cls() {
    paintBackground(m_image);
    m_x = 0;
    m_y = 0;
    changed(QRect(QPoint(0, 0), m_size));
}

void QtCanvas::fillBox(double x1, double y1, double x2, double y2, Color color) {
    const int left = pixel(std::min(x1, x2));
    const int right = pixel(std::max(x1, x2));
    const int top = pixel(std::min(y1, y2));
    const int bottom = pixel(std::max(y1, y2));
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    {
        QPainter painter(&m_image);
        painter.fillRect(box, toQColor(color));
    }
    m_x = x2;
    m_y = y2;
    changed(box);
}

void QtCanvas::fillCircle(double x, double y, double radius, Color outline) {
    const int cx = pixel(x);
    const int cy = pixel(y);
    if (radius >= 0 && std::isfinite(radius)) {
        const int reach = discHalfWidth(radius, 0);
        QPainter painter(&m_image);
        const QColor inside = toQColor(m_fillColor);
        const QColor rim = toQColor(outline);
        for (int dy = -reach; dy <= reach; ++dy) {
            const int half = discHalfWidth(radius, dy);
            if (half < 0)
                continue;
            painter.fillRect(QRect(cx - half, cy + dy, 2 * half + 1, 1), inside);
            // The rim: pixels of the row with no disc pixel beside, above or below them.
            const int neighbour =
                std::min(discHalfWidth(radius, dy - 1), discHalfWidth(radius, dy + 1));
            for (int dx = -half; dx <= half; ++dx)
                if (std::abs(dx) == half || std::abs(dx) > neighbour)
                    painter.fillRect(QRect(cx + dx, cy + dy, 1, 1), rim);
        }
        changed(QRect(cx - reach, cy - reach, 2 * reach + 1, 2 * reach + 1));
    }
    m_x = x;
    m_y = y;
}

void QtCanvas::setPicture(PicturePtr picture) {
    m_picture = std::move(picture);
    cls();
}

double QtCanvas::himetricToPixelsX(double himetric) const {
    return himetric * m_dpi.width() / 2540.0;
}

double QtCanvas::himetricToPixelsY(double himetric) const {
    return himetric * m_dpi.height() / 2540.0;
}

void QtCanvas::paintPicture(const Picture& picture, double x, double y, double width,
                            double height) {
    const auto* decoded = dynamic_cast<const QtPicture*>(&picture);
    if (!decoded)
        raiseError(err::InvalidPicture);
    const QRect wanted(pixel(x), pixel(y), pixel(width), pixel(height));
    const QRect source = wanted.intersected(decoded->image().rect());
    if (source.isEmpty())
        return;
    {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(source, decoded->image(), source);
    }
    changed(source);
}

void QtCanvas::paintBackground(QImage& image) const {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), toQColor(m_backColor));
    if (const auto* decoded = dynamic_cast<const QtPicture*>(m_picture.get()))
        painter.drawImage(QPointF(0, 0), decoded->image());
}

void QtCanvas::changed(const QRect& area) {
    if (m_listener && !area.isEmpty())
        m_listener(area);
}

} // namespace platform::qt
