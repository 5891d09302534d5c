#include "browser/ui/form4.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

using browser::ui::Form4;

TEST(Form4, ShowsTheLogoCentredWhileTheBrowserIsMadeAndIsClosedByIt) {
    Form4 splash;
    bool visibleDuringStart = false;
    splash.Form_Load([&] {
        visibleDuringStart = splash.isVisible();
        splash.hide(); // the browser's start closes the splash
    });
    EXPECT_TRUE(visibleDuringStart);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.windowTitle(), "Loading...");

    const QLabel* logo = splash.findChild<QLabel*>("Image1");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->pixmap().size(), QSize(225, 85));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash.x() - screen.x(), (screen.width() - splash.width()) / 2);
    EXPECT_EQ(splash.y() - screen.y(), (screen.height() - splash.height()) / 2);
}
