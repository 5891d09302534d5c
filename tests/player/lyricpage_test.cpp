#include "display/rowwrapper.h"
#include "player/lyricpage.h"
#include "player/playbackrules.h"
#include "support/recordingcanvas.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace player;
using testsupport::RecordingCanvas;

namespace {

constexpr platform::Color High = 65535;
constexpr platform::Color Back = 0xFFFFFF;

using Log = std::vector<std::string>;

// Every character 8 pixels wide, every line 16 high: the indent is 40 and the page's top 16.
class LyricPageTest : public testing::Test {
protected:
    LyricPageTest() {
        options.NumLines = -1;
        options.HighColor = High;
        options.BackColor = Back;
        options.Ball = true;
        std::int16_t curRow = 0;
        display::WrapRows(pane, lyrics, lines, rows, curRow, 0);
    }
    PageScene scene() { return {pane, lyrics, rows, options, backdrop.get()}; }
    Log take() { return std::exchange(pane.log, {}); }

    RecordingCanvas pane{640, 480};
    song::LyricArray lyrics = testsupport::makeLyrics(
        {{"Hel", 2, 0}, {"lo", 0, 120}, {" world", 0, 240}, {" Sec", 1, 480}, {"ond", 0, 600}});
    song::LineArray lines = testsupport::makeLines(lyrics);
    display::RowArray rows = display::makeRowArray();
    options::Options options;
    platform::PicturePtr backdrop;
    display::BallState ball = BallAtRest(pane);
    std::string pageText;
};

} // namespace

TEST_F(LyricPageTest, TheBallRestsHalfAnIndentInAndOneLineDown) {
    EXPECT_EQ(ball, (display::BallState{0, 4, 20, 20, 12}));
}

TEST_F(LyricPageTest, ARowOpeningSyllableDrawsItsPageAndIsBoxedFlushWithTheIndent) {
    std::int16_t curRow = 1;
    DrawNewRow(scene(), 4, curRow, pageText, ball, 16);
    EXPECT_EQ(curRow, 2);
    EXPECT_EQ(pageText, "     Second");
    EXPECT_EQ(ball.HopX, 40 + 12) << "the middle of \"Sec\", its space left out";
    EXPECT_EQ(take(), (Log{"cls", "print 0,16      Second", "fill 65535", "box 40,16-64,32 65535",
                           "print 40,16 Sec"}));
    EXPECT_EQ(pane.x, 64) << "the highlighted syllable's right edge";
}

TEST_F(LyricPageTest, TheHighlightMovesAlongTheRowAndLeavesTheTrailingSentinelUnboxed) {
    std::int16_t curRow = 0;
    DrawNewRow(scene(), 1, curRow, pageText, ball, 16);
    EXPECT_EQ(pageText, "     Hello world\r     Second");
    take();

    MoveHighlight(scene(), 2, ball, 16);
    EXPECT_EQ(take(), (Log{"fill 16777215", "box 40,16-64,32 16777215", "print 40,16 Hel",
                           "fill 65535", "box 64,16-80,32 65535", "print 64,16 lo"}));
    EXPECT_EQ(ball.HopX, 52 + 20);

    MoveHighlight(scene(), 3, ball, 16);
    EXPECT_EQ(take(), (Log{"fill 16777215", "box 64,16-80,32 16777215", "print 64,16 lo",
                           "fill 65535", "box 80,16-128,32 65535", "print 80,16  world"}));
    EXPECT_EQ(ball.HopX, 72 + 32);
    EXPECT_EQ(pane.x, 128);

    DrawNewRow(scene(), 4, curRow, pageText, ball, 16);
    MoveHighlight(scene(), 5, ball, 16);
    take();
    MoveHighlight(scene(), 6, ball, 16); // the trailing sentinel
    EXPECT_EQ(take(), (Log{"fill 16777215", "box 64,16-88,32 16777215", "print 64,16 ond"}));
}

TEST_F(LyricPageTest, AnUnboxedSyllableGetsTheBackgroundPictureBackAsFarAsThePictureReaches) {
    options.Bitmap = true;
    backdrop = testsupport::FakePicture::ofPixels(50, 100);
    std::int16_t curRow = 0;
    DrawNewRow(scene(), 1, curRow, pageText, ball, 16);
    take();
    MoveHighlight(scene(), 2, ball, 16);
    EXPECT_EQ(take()[2], "blit 40,16 11x17") << "the box 40..64 is cut at the picture's edge, 50";
    MoveHighlight(scene(), 3, ball, 16);
    EXPECT_EQ(take()[2], "print 64,16 lo") << "a box wholly right of the picture is not repainted";
}

TEST_F(LyricPageTest, ErasingTheBallPaintsItOverAndRestoresThePictureUnderIt) {
    ball.BallX = 30;
    ball.BallY = 10;
    EraseBall(scene(), ball);
    EXPECT_EQ(take(), (Log{"fill 16777215", "circle 30,10 r4 16777215 fill 16777215"}));

    options.Bitmap = true;
    backdrop = testsupport::FakePicture::ofPixels(100, 100);
    EraseBall(scene(), ball);
    EXPECT_EQ(take().back(), "blit 26,6 9x9");

    options.Ball = false;
    EraseBall(scene(), ball);
    EXPECT_TRUE(take().empty());
}

TEST_F(LyricPageTest, AChosenSyllableIsBoxedAfterTheSyllablesBeforeItOnItsRow) {
    const struct {
        std::int16_t index;
        std::int16_t kind; // given to " Sec"
        const char* box;
        const char* print;
        std::int16_t hopX;
    } cases[] = {
        {1, 1, "box 40,16-64,32 65535", "print 40,16 Hel", 52},
        {3, 1, "box 80,16-128,32 65535", "print 80,16  world", 104},
        {4, 1, "box 40,16-64,32 65535", "print 40,16 Sec", 52}, // a row opener without its space
        {4, 3, "box 40,16-64,32 65535", "print 40,16 Sec", 52}, // so is a continuation row's
        {5, 3, "box 64,16-88,32 65535", "print 64,16 ond", 76},
    };
    for (const auto& c : cases) {
        lyrics[4].Kind = c.kind;
        pane.x = 0;
        const std::int32_t top = PrintPage(scene(), rowOfSyllable(lyrics, c.index), pageText);
        EXPECT_EQ(top, 16);
        take();
        HighlightSyllable(scene(), c.index, top, ball);
        EXPECT_EQ(take(), (Log{"fill 65535", c.box, c.print})) << "syllable " << c.index;
        EXPECT_EQ(ball.HopX, c.hopX) << "syllable " << c.index;
        EXPECT_EQ(ball.BallY, 16 - 4 - 1);
    }
}
