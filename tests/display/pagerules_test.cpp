#include "display/pagerules.h"
#include "support/recordingcanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace display;
using testsupport::FakePicture;
using testsupport::RecordingCanvas;

namespace {

RowArray pageRows() {
    RowArray rows = makeRowArray();
    for (const Row& row :
         {Row{"The quick brown fox ", 2}, Row{"jumps over the lazy ", 3}, Row{"dog", 3},
          Row{"Hello world", 1}, Row{"Second verse", 2}, Row{"Last line", 1}})
        rows.append(row);
    return rows;
}

options::Options withLines(std::int16_t numLines, std::int16_t vertJust = 0) {
    options::Options options;
    options.NumLines = numLines;
    options.VertJust = vertJust;
    return options;
}

} // namespace

TEST(ComposePageText, RowsFollowTheMarginUpToTheLineCountOrThePanesBottom) {
    const struct {
        std::int16_t row;
        std::int16_t numLines;
        double paneHeight;
        const char* text;
    } cases[] = {
        {3, 2, 480, "     dog\r     Hello world"},
        {4, 2, 480, "     Hello world\r     Second verse"},   // no empty line with two lines
        {4, 3, 480, "     Hello world\r\r     Second verse"}, // the empty line is a row
        {3, 3, 480, "     dog\r     Hello world\r\r"},
        {6, 4, 480, "     Last line"},
        // The row that crosses the bottom stays, cut off by the pane.
        {1, -1, 64,
         "     The quick brown fox \r     jumps over the lazy \r     dog\r     Hello world\r\r"
         "     Second verse"},
        {4, -1, 480, "     Hello world\r\r     Second verse\r     Last line"},
    };
    for (const auto& c : cases) {
        const RecordingCanvas pane(640, c.paneHeight);
        EXPECT_EQ(ComposePageText(pane, pageRows(), c.row, withLines(c.numLines)), c.text)
            << "row " << c.row << ", " << c.numLines << " lines";
    }
}

TEST(PageTop, TheRowBeingSungIsPlacedByLineCountAndJustificationButNeverIntoTheBallsBand) {
    const struct {
        std::int16_t numLines;
        std::int16_t vertJust;
        double paneHeight;
        std::int32_t top;
    } cases[] = {
        // Lines of 20 pixels; the block of NumLines lines is NumLines - 1 carriage returns.
        {4, 1, 300, 110}, // (300 - 80) / 2
        {3, 1, 301, 120}, // (301 - 60) / 2 drops the half
        {4, 2, 300, 220}, // the block's bottom on the pane's bottom
        {4, 0, 300, 20},  // top: below the ball's band
        {-1, 2, 300, 20}, // automatic ignores the justification
        {9, 1, 100, 20},  // a block taller than the pane still leaves the ball its band
        {4, 7, 300, 20},  // an unknown justification is the top
        {0, 2, 300, 280}, // a stored count below 1 is one line
    };
    for (const auto& c : cases) {
        RecordingCanvas pane(640, c.paneHeight);
        pane.lineHeight = 20;
        EXPECT_EQ(PageTop(pane, withLines(c.numLines, c.vertJust)), c.top)
            << c.numLines << " lines, justification " << c.vertJust;
    }
}

TEST(RestoreBackdropRect, OnlyThePartOnThePictureIsRepainted) {
    // 100 x 50 pixels, which comes back from HIMETRIC as a little more than that.
    const auto picture = FakePicture::ofPixels(100, 50);
    const struct {
        std::int32_t x, y, w, h;
        const char* blit; // "" for none
    } syllables[] = {
        {10, 10, 20, 16, "blit 10,10 21x17"},
        {90, 10, 20, 16, "blit 90,10 11x17"},
        {10, 40, 20, 16, "blit 10,40 21x11"},
        {99, 49, 20, 16, "blit 99,49 2x2"},
        {100, 10, 20, 16, ""},
        {10, 50, 20, 16, ""},
    };
    for (const auto& s : syllables) {
        RecordingCanvas pane;
        RestoreBackdropRect(pane, *picture, s.x, s.y, s.w, s.h);
        EXPECT_EQ(pane.log, std::string(s.blit).empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{s.blit})
            << s.x << "," << s.y;
    }

    const struct {
        std::int16_t x, y;
        const char* blit;
    } balls[] = {
        {50, 20, "blit 45,15 11x11"}, {97, 20, "blit 92,15 9x11"},
        {50, 48, "blit 45,43 11x8"},  {105, 20, ""},
        {4, 4, "blit -1,-1 11x11"},
    };
    for (const auto& b : balls) {
        RecordingCanvas pane;
        BallState ball;
        ball.Radius = 5;
        ball.BallX = b.x;
        ball.BallY = b.y;
        RestoreBackdropRect(pane, *picture, ball);
        EXPECT_EQ(pane.log, std::string(b.blit).empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{b.blit})
            << b.x << "," << b.y;
    }
}
