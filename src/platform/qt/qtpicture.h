#pragma once

#include "platform/pictureloader.h"

#include <QImage>
#include <QSizeF>

namespace platform::qt {

// A decoded picture with its size in HIMETRIC at the screen's resolution, so that a pane shows
// it pixel for pixel.
class QtPicture : public Picture {
public:
    QtPicture(QImage image, QSizeF dpi);
    std::int32_t Width() const override { return m_width; }
    std::int32_t Height() const override { return m_height; }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
    std::int32_t m_width;
    std::int32_t m_height;
};

// Reads every picture format Qt can decode (BMP, GIF, PNG, JPEG...).
class QtPictureLoader : public PictureLoader {
public:
    QtPictureLoader();
    explicit QtPictureLoader(QSizeF dpi) : m_dpi(dpi) {}
    PicturePtr load(const std::string& path) const override;

private:
    QSizeF m_dpi;
};

} // namespace platform::qt
