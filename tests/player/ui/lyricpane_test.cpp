#include "player/ui/lyricpane.h"

#include <QImage>

#include <gtest/gtest.h>

using player::ui::LyricPane;

TEST(LyricPane, ShowsThePageItsCanvasKeepsAtEverySize) {
    LyricPane pane;
    pane.resize(120, 60);
    pane.show();
    platform::Canvas& canvas = pane.canvas();
    EXPECT_EQ(canvas.scaleWidth(), 120);
    EXPECT_EQ(canvas.scaleHeight(), 60);

    canvas.setBackColor(0xFFFFFF);
    canvas.fillBox(10, 10, 29, 19, 0x0000FF);
    QImage shown = pane.grab().toImage();
    EXPECT_EQ(shown.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(50, 40), QColor(Qt::white));

    pane.hide();
    pane.show();
    pane.resize(200, 80);
    EXPECT_EQ(canvas.scaleWidth(), 200);
    shown = pane.grab().toImage();
    EXPECT_EQ(shown.pixelColor(15, 15), QColor(Qt::red)) << "the page outlives a hide and a resize";
    EXPECT_EQ(shown.pixelColor(150, 70), QColor(Qt::white));
}
