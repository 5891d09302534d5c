#include "platform/qt/qtpicture.h"

#include "platform/errors.h"
#include "platform/numeric.h"
#include "platform/qt/screenmetrics.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform::qt {

namespace {

std::int32_t himetric(int pixels, double dpi) {
    return roundToInt32(pixels * 2540.0 / dpi);
}

[[noreturn]] void raiseMissing(const QFileInfo& file) {
    raiseError(QFileInfo(file.absolutePath()).isDir() ? err::FileNotFound : err::PathNotFound);
}

} // namespace

QtPicture::QtPicture(QImage image, QSizeF dpi)
    : m_image(std::move(image)), m_width(himetric(m_image.width(), dpi.width())),
      m_height(himetric(m_image.height(), dpi.height())) {}

QtPictureLoader::QtPictureLoader() : m_dpi(screenDpi()) {}

PicturePtr QtPictureLoader::load(const std::string& path) const {
    if (path.empty())
        raiseError(err::FileNotFound);
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists())
        raiseMissing(file);
    if (file.isDir() || !file.isReadable())
        raiseError(err::PathFileAccess);

    QImageReader reader(file.filePath());
    QImage image = reader.read();
    if (image.isNull()) {
        switch (reader.error()) {
        case QImageReader::FileNotFoundError: // gone since we looked
            raiseMissing(file);
        case QImageReader::DeviceError:
            raiseError(err::PathFileAccess);
        default:
            raiseError(err::InvalidPicture);
        }
    }
    // One format for every picture keeps the copies onto the pane plain and fast.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return std::make_shared<QtPicture>(std::move(image), m_dpi);
}

} // namespace platform::qt
