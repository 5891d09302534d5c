#include "display/rowwrapper.h"
#include "display/stilltext.h"
#include "support/recordingcanvas.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <string>

using namespace display;
using testsupport::makeLines;
using testsupport::makeLyrics;
using testsupport::RecordingCanvas;

namespace {

// Rows of 20 characters: 1 "The quick brown fox " (2), 2 "jumps over the lazy " (3),
// 3 "dog" (3), 4 "Hello world" (1), 5 "Second verse" (2), 6 "Last line" (1).
struct Song {
    song::LyricArray lyrics = makeLyrics({{"The", 2, 0},
                                          {" quick", 0, 1},
                                          {" brown", 0, 2},
                                          {" fox", 0, 3},
                                          {" jumps", 0, 4},
                                          {" over", 0, 5},
                                          {" the", 0, 6},
                                          {" lazy", 0, 7},
                                          {" dog", 0, 8},
                                          {"Hello", 1, 9},
                                          {" world", 0, 10},
                                          {"Second", 2, 11},
                                          {" verse", 0, 12},
                                          {"Last", 1, 13},
                                          {" line", 0, 14}});
    RowArray rows = makeRowArray();
    RecordingCanvas pane{240, 480};

    Song() {
        std::int16_t curRow = 0;
        WrapRows(pane, lyrics, makeLines(lyrics), rows, curRow, 0);
    }

    std::string still(std::int16_t position, std::int16_t rowIndex, std::int16_t numLines) {
        options::Options options;
        options.NumLines = numLines;
        std::string text = "old text";
        ComposeStillText(pane, lyrics, position, rows, rowIndex, text, options);
        EXPECT_TRUE(pane.log.empty()) << "composing draws nothing";
        return text;
    }
};

} // namespace

TEST(ComposeStillText, TheCurrentLineStartsAtTheRowThatHoldsTheCurrentSyllable) {
    const struct {
        std::int16_t position;
        const char* text;
    } cases[] = {
        {0, "The quick brown fox\r\njumps over the lazy dog"}, // as position 1
        {2, "The quick brown fox\r\njumps over the lazy dog"}, // in the first row
        {5, "jumps over the lazy\r\ndog"},                     // opens the second row
        {6, "jumps over the lazy\r\ndog"},
        {9, "dog"},
        {10, "Hello world"}, // a line that fits, trimmed
    };
    for (const auto& c : cases) {
        Song song;
        EXPECT_EQ(song.still(c.position, 0, 1), c.text) << c.position;
    }
}

TEST(ComposeStillText, TheLineCountDecidesWhatFollowsAndWhereParagraphsGetAnEmptyLine) {
    const struct {
        std::int16_t position;
        std::int16_t rowIndex;
        std::int16_t numLines;
        const char* text;
    } cases[] = {
        {10, 4, 1, "Hello world"},
        {10, 4, 2, "Hello world\r\nSecond verse"},     // no empty line before the paragraph
        {10, 4, 3, "Hello world\r\n\r\nSecond verse"}, // the empty line counts
        {2, 1, 3, "The quick brown fox\r\njumps over the lazy dog\r\nHello world\r\n"},
        {10, 4, -1, "Hello world\r\n\r\nSecond verse\r\nLast line"},
        {14, 6, -1, "Last line"},
    };
    for (const auto& c : cases) {
        Song song;
        EXPECT_EQ(song.still(c.position, c.rowIndex, c.numLines), c.text)
            << c.position << " with " << c.numLines << " lines";
    }
}

TEST(ComposeStillText, AutomaticLinesStopAtTheLineThatReachesTheBottom) {
    Song song;
    song.pane.height = 64; // four lines
    EXPECT_EQ(song.still(2, 1, -1),
              "The quick brown fox\r\njumps over the lazy dog\r\nHello world\r\n\r\nSecond verse");
}

TEST(ComposeStillText, AFollowingLineThatWasWrappedIsJoinedIntoOneTextLine) {
    for (const std::int16_t numLines : {std::int16_t{2}, std::int16_t{-1}}) {
        song::LyricArray lyrics = makeLyrics({{"Hi", 2, 0},
                                              {"The quick brown fox", 1, 1},
                                              {" jumps over the lazy", 0, 2},
                                              {" dog", 0, 3}});
        RecordingCanvas pane(240, 480);
        RowArray rows = makeRowArray();
        std::int16_t curRow = 0;
        WrapRows(pane, lyrics, makeLines(lyrics), rows, curRow, 0);
        ASSERT_EQ(rows.count(), 4);

        options::Options options;
        options.NumLines = numLines;
        std::string text;
        ComposeStillText(pane, lyrics, 1, rows, 1, text, options);
        EXPECT_EQ(text, "Hi\r\nThe quick brown fox jumps over the lazy dog") << numLines;
    }
}
