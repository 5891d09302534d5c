#include "platform/errors.h"
#include "platform/qt/qtpicture.h"
#include "platform/qt/windows1252.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using platform::qt::QtPictureLoader;

namespace {

int loadError(const QtPictureLoader& loader, const std::string& path) {
    try {
        loader.load(path);
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(QtPictureLoader, LoadsABitmapWithItsSizeInHimetric) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = folder.filePath("stage.bmp");
    ASSERT_TRUE(image.save(path, "BMP"));

    const QtPictureLoader loader(QSizeF(96, 120));
    const auto picture = loader.load(path.toStdString());
    EXPECT_EQ(picture->Width(), 2646);  // 100 px at 96 dpi
    EXPECT_EQ(picture->Height(), 1058); // 50 px at 120 dpi
    const auto& decoded = dynamic_cast<const platform::qt::QtPicture&>(*picture);
    EXPECT_EQ(decoded.image().pixelColor(10, 10), QColor(Qt::darkCyan));
}

TEST(QtPictureLoader, TellsAMissingFileFromAMissingFolderAndFromAFileThatIsNoPicture) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile text(folder.filePath("notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("These are words, not pixels.\n");
    text.close();

    const QtPictureLoader loader(QSizeF(96, 96));
    const std::string base = folder.path().toStdString();
    EXPECT_EQ(loadError(loader, base + "/missing.bmp"), platform::err::FileNotFound);
    EXPECT_EQ(loadError(loader, base + "/gone/stage.bmp"), platform::err::PathNotFound);
    EXPECT_EQ(loadError(loader, base + "/notes.bmp/stage.bmp"), platform::err::PathNotFound);
    EXPECT_EQ(loadError(loader, base + "/notes.bmp"), platform::err::InvalidPicture);
    EXPECT_EQ(loadError(loader, base), platform::err::PathFileAccess);
    EXPECT_EQ(loadError(loader, ""), platform::err::FileNotFound);
}

TEST(Windows1252, TheBytesBetween80And9FAreTheCodePagesOwnCharacters) {
    const std::string bytes = "\x80\x85\x8A\x91\x92\x93\x94\x96\x97\x99\x9F\x81\x8D\xE9\xFF";
    const QString text = platform::qt::fromWindows1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("€…Š‘’“”–—™Ÿ\u0081\u008Déÿ"));
    EXPECT_EQ(platform::qt::toWindows1252(text), bytes);
    EXPECT_EQ(platform::qt::toWindows1252(QString::fromUtf8("a→b")), "a?b");
}
