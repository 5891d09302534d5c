#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtcolor.h"
#include "platform/qt/qtpicture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

using platform::qt::QtCanvas;
using platform::qt::QtPicture;

namespace {

constexpr platform::Color Blue = 0xFF0000; // 0x00BBGGRR
constexpr platform::Color Green = 0x00FF00;
constexpr platform::Color White = 0xFFFFFF;
constexpr platform::Color Black = 0;

QColor at(const QtCanvas& canvas, int x, int y) {
    return canvas.image().pixelColor(x, y);
}

// A red picture of 20 x 10 pixels at the canvas's own resolution.
std::shared_ptr<QtPicture> redPicture() {
    QImage image(20, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    return std::make_shared<QtPicture>(image, QSizeF(96, 96));
}

QtCanvas canvasOf(int width, int height) {
    QtCanvas canvas(QSizeF(96, 96));
    canvas.resize({width, height});
    return canvas;
}

} // namespace

TEST(QtCanvas, TextHeightCountsALineForEachCarriageReturnAndOneMore) {
    QtCanvas canvas = canvasOf(200, 100);
    canvas.setFont({"DejaVu Sans", 12, false, false});
    const double line = canvas.textHeight("");
    ASSERT_GT(line, 0);
    for (const char* text : {"Ab", "Ab\r", "\r\r", "a\r\nb\r\nc", "\r\r\r\r"}) {
        const auto returns = std::count(text, text + std::strlen(text), '\r');
        EXPECT_DOUBLE_EQ(canvas.textHeight(text), double(returns + 1) * line) << text;
    }
    EXPECT_DOUBLE_EQ(canvas.textWidth("Ab\rWider line"), canvas.textWidth("Wider line"));
    EXPECT_DOUBLE_EQ(canvas.textWidth("ab\r\ncd"), canvas.textWidth("ab"));
    EXPECT_GT(canvas.textWidth("     "), 0);
}

TEST(QtCanvas, TheCurrentPositionFollowsBoxesAndPrinting) {
    QtCanvas canvas = canvasOf(300, 200);
    canvas.fillBox(10, 12, 40.5, 30, Blue);
    EXPECT_EQ(canvas.currentX(), 40.5);
    EXPECT_EQ(canvas.currentY(), 30);

    canvas.setCurrentX(7);
    canvas.setCurrentY(9);
    canvas.print("Hello");
    EXPECT_DOUBLE_EQ(canvas.currentX(), 7 + canvas.textWidth("Hello"));
    EXPECT_EQ(canvas.currentY(), 9);

    canvas.print(" there\rnext");
    EXPECT_DOUBLE_EQ(canvas.currentX(), canvas.textWidth("next"));
    EXPECT_DOUBLE_EQ(canvas.currentY(), 9 + canvas.textHeight("\r") - canvas.textHeight(""));

    canvas.fillCircle(50, 60, 4, Black);
    EXPECT_EQ(canvas.currentX(), 50);
    EXPECT_EQ(canvas.currentY(), 60);
}

TEST(QtCanvas, PrintingDrawsInTheForeColourWithoutABackground) {
    QtCanvas canvas = canvasOf(200, 60);
    canvas.setFont({"DejaVu Sans", 20, true, false});
    canvas.setBackColor(White);
    canvas.setForeColor(Blue);
    canvas.setCurrentX(10);
    canvas.setCurrentY(5);
    canvas.print("WWW");
    // The glyphs' own box, with a little room for overhangs.
    const QRect box = QRect(10, 5, int(canvas.textWidth("WWW")), int(canvas.textHeight("WWW")))
                          .adjusted(-3, -3, 3, 3);
    int blue = 0;
    int other = 0;
    for (int y = 0; y < canvas.image().height(); ++y)
        for (int x = 0; x < canvas.image().width(); ++x) {
            const QColor c = at(canvas, x, y);
            if (c == QColor(Qt::blue))
                ++blue;
            else if (c != QColor(Qt::white) && !box.contains(x, y))
                ++other;
        }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(other, 0) << "nothing painted outside the text";
}

TEST(QtCanvas, ABoxFillsBothCornersInclusive) {
    QtCanvas canvas = canvasOf(50, 50);
    canvas.setBackColor(White);
    canvas.fillBox(10, 20, 14, 22, Green);
    EXPECT_EQ(at(canvas, 10, 20), QColor(Qt::green));
    EXPECT_EQ(at(canvas, 14, 22), QColor(Qt::green));
    EXPECT_EQ(at(canvas, 15, 22), QColor(Qt::white));
    EXPECT_EQ(at(canvas, 14, 23), QColor(Qt::white));
    EXPECT_EQ(at(canvas, 9, 20), QColor(Qt::white));
}

TEST(QtCanvas, ACircleStaysInsideItsSquareWithItsRimInTheOutlineColour) {
    QtCanvas canvas = canvasOf(50, 50);
    canvas.setBackColor(White);
    canvas.setFillColor(Green);
    canvas.fillCircle(25, 25, 5, Blue);
    EXPECT_EQ(at(canvas, 25, 25), QColor(Qt::green));
    EXPECT_EQ(at(canvas, 30, 25), QColor(Qt::blue));
    EXPECT_EQ(at(canvas, 25, 20), QColor(Qt::blue));
    for (int i = 19; i <= 31; ++i) { // the square of side 2r + 1 holds every pixel drawn
        EXPECT_EQ(at(canvas, 19, i), QColor(Qt::white));
        EXPECT_EQ(at(canvas, 31, i), QColor(Qt::white));
        EXPECT_EQ(at(canvas, i, 19), QColor(Qt::white));
        EXPECT_EQ(at(canvas, i, 31), QColor(Qt::white));
    }
    EXPECT_EQ(at(canvas, 20, 20), QColor(Qt::white)) << "the corners are not the disc's";

    canvas.setFillColor(White); // erasing leaves no trace
    canvas.fillCircle(25, 25, 5, White);
    for (int y = 19; y <= 31; ++y)
        for (int x = 19; x <= 31; ++x)
            EXPECT_EQ(at(canvas, x, y), QColor(Qt::white)) << x << "," << y;
}

TEST(QtCanvas, ClsRestoresTheBackgroundPictureOverTheBackColour) {
    QtCanvas canvas = canvasOf(40, 30);
    canvas.setBackColor(Blue);
    canvas.setPicture(redPicture());
    canvas.fillBox(0, 0, 39, 29, Black);
    canvas.setCurrentX(12);
    canvas.cls();
    EXPECT_EQ(at(canvas, 5, 5), QColor(Qt::red));
    EXPECT_EQ(at(canvas, 19, 9), QColor(Qt::red));
    EXPECT_EQ(at(canvas, 20, 9), QColor(Qt::blue));
    EXPECT_EQ(at(canvas, 30, 20), QColor(Qt::blue));
    EXPECT_EQ(canvas.currentX(), 0);

    canvas.setPicture(nullptr);
    EXPECT_EQ(at(canvas, 5, 5), QColor(Qt::blue));
}

TEST(QtCanvas, APictureCopyReplacesOnlyWhatLiesOnThePicture) {
    QtCanvas canvas = canvasOf(40, 30);
    const auto picture = redPicture();
    canvas.fillBox(0, 0, 39, 29, Green);
    canvas.paintPicture(*picture, 15, 5, 20, 20);
    EXPECT_EQ(at(canvas, 15, 5), QColor(Qt::red));
    EXPECT_EQ(at(canvas, 19, 9), QColor(Qt::red));
    EXPECT_EQ(at(canvas, 20, 9), QColor(Qt::green)) << "right of the picture";
    EXPECT_EQ(at(canvas, 16, 10), QColor(Qt::green)) << "below the picture";
    EXPECT_EQ(at(canvas, 14, 6), QColor(Qt::green)) << "left of the rectangle";
}

TEST(QtCanvas, PictureSizesConvertFromHimetricAtTheScreensResolution) {
    QtCanvas canvas(QSizeF(96, 120));
    EXPECT_DOUBLE_EQ(canvas.himetricToPixelsX(2540), 96);
    EXPECT_DOUBLE_EQ(canvas.himetricToPixelsY(2540), 120);
    const auto picture = redPicture();
    EXPECT_EQ(picture->Width(), 529); // 20 px at 96 dpi = 529.17 hundredths of a millimetre
    EXPECT_NEAR(canvas.himetricToPixelsX(picture->Width()), 20, 0.01);
}

TEST(QtCanvas, AResizeKeepsThePageAndGivesTheNewAreaTheBackground) {
    QtCanvas canvas = canvasOf(20, 20);
    canvas.setBackColor(White);
    canvas.fillBox(2, 2, 5, 5, Blue);
    QRect reported;
    canvas.setChangeListener([&](const QRect& area) { reported = area; });
    canvas.resize({40, 30});
    EXPECT_EQ(canvas.scaleWidth(), 40);
    EXPECT_EQ(canvas.scaleHeight(), 30);
    EXPECT_EQ(at(canvas, 3, 3), QColor(Qt::blue));
    EXPECT_EQ(at(canvas, 35, 25), QColor(Qt::white));
    EXPECT_EQ(reported, QRect(0, 0, 40, 30));
}

TEST(QtColor, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(4, 5, 6));
    EXPECT_EQ(platform::qt::toQColor(platform::systemColor(15), palette), QColor(1, 2, 3));
    EXPECT_EQ(platform::qt::toQColor(-2147483633, palette), QColor(1, 2, 3));
    EXPECT_EQ(platform::qt::toQColor(platform::systemColor(18), palette), QColor(4, 5, 6));
    EXPECT_EQ(platform::qt::toQColor(0x00336699, palette), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(platform::qt::fromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699);
}
