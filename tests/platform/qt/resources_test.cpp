#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

TEST(Artwork, TheLogoAndTheIconsAreBuiltIntoTheProgram) {
    const QImage logo(":/logo.gif");
    EXPECT_EQ(logo.size(), QSize(225, 85));
    EXPECT_EQ(QImage(":/vocatune.png").size(), QSize(256, 256));
    EXPECT_EQ(QImage(":/vocatune-48.png").size(), QSize(48, 48));
}
