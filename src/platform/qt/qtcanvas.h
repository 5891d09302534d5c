#pragma once

#include "platform/canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QSizeF>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform::qt {

// A pane's page kept in an image, so that it survives repaints and exposure: whoever shows it
// paints image() and repaints the rectangles reported to the change listener.
class QtCanvas final : public Canvas {
public:
    QtCanvas();
    explicit QtCanvas(QSizeF dpi);
    // A copy would report its changes to the original's listener.
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    QtCanvas(QtCanvas&&) = default;
    QtCanvas& operator=(QtCanvas&&) = default;

    // Follows the size of the widget that shows the page (logical pixels). What was drawn stays;
    // new area gets the background.
    void resize(QSize size, qreal devicePixelRatio = 1.0);
    const QImage& image() const { return m_image; }
    QSize size() const { return m_size; }
    const QFont& font() const { return m_font; }
    void setChangeListener(std::function<void(const QRect&)> listener);

    double textWidth(std::string_view text) const override;
    double textHeight(std::string_view text) const override;
    double scaleWidth() const override { return m_size.width(); }
    double scaleHeight() const override { return m_size.height(); }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    void setFont(const FontDescription& font) override;
    void setBackColor(Color color) override;
    void setForeColor(Color color) override { m_foreColor = color; }
    void setFillColor(Color color) override { m_fillColor = color; }
    void print(std::string_view text) override;
    void cls() override;
    void fillBox(double x1, double y1, double x2, double y2, Color color) override;
    void fillCircle(double x, double y, double radius, Color outline) override;
    void setPicture(PicturePtr picture) override;
    double himetricToPixelsX(double himetric) const override;
    double himetricToPixelsY(double himetric) const override;
    void paintPicture(const Picture& picture, double x, double y, double width,
                      double height) override;

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };

    double lineWidth(std::string_view line) const;
    void paintBackground(QImage& image) const;
    void changed(const QRect& area);

    QSizeF m_dpi;
    QSize m_size{0, 0};
    QImage m_image;
    QFont m_font;
    QFontMetricsF m_metrics;
    double m_lineHeight = 0;
    double m_x = 0;
    double m_y = 0;
    Color m_backColor;
    Color m_foreColor;
    Color m_fillColor = 0;
    PicturePtr m_picture;
    std::function<void(const QRect&)> m_listener;
    // Re-wrapping a song measures the same pieces again and again.
    mutable std::unordered_map<std::string, double, TextHash, std::equal_to<>> m_widths;
};

} // namespace platform::qt
