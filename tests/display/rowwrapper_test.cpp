#include "display/rowwrapper.h"
#include "platform/errors.h"
#include "support/recordingcanvas.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace display;
using song::LyricEvent;
using testsupport::makeLines;
using testsupport::makeLyrics;
using testsupport::RecordingCanvas;

namespace {

// Characters are 8 pixels wide and the margin takes 2 x 40, so a pane of 240 pixels leaves rows
// of 20 characters.
constexpr double TwentyCharacters = 240;

song::LyricArray quickBrownFox() {
    return makeLyrics({{"The", 2, 0},
                       {" quick", 0, 120},
                       {" brown", 0, 240},
                       {" fox", 0, 360},
                       {" jumps", 0, 480},
                       {" over", 0, 600},
                       {" the", 0, 720},
                       {" lazy", 0, 840},
                       {" dog", 0, 960},
                       {"Hel", 1, 1080},
                       {"lo world", 0, 1200}});
}

struct Wrapped {
    std::vector<Row> rows;
    std::vector<int> wrapMarks; // syllables marked KindWrap
    std::int16_t curRow = -1;
};

Wrapped wrap(song::LyricArray& lyrics, double paneWidth, std::int16_t position = 0) {
    const RecordingCanvas pane(paneWidth, 480);
    RowArray rows = makeRowArray();
    Wrapped result;
    WrapRows(pane, lyrics, makeLines(lyrics), rows, result.curRow, position);
    result.rows.assign(rows.begin(), rows.end());
    for (int i = lyrics.lower(); i <= lyrics.upper(); ++i)
        if (lyrics[i].Kind == song::KindWrap)
            result.wrapMarks.push_back(i);
    EXPECT_TRUE(pane.log.empty()) << "wrapping draws nothing";
    return result;
}

} // namespace

TEST(WrapRows, ALineThatFitsIsOneRowWithTheLinesKind) {
    song::LyricArray lyrics = quickBrownFox();
    const Wrapped wrapped = wrap(lyrics, 640);
    EXPECT_EQ(wrapped.rows, (std::vector<Row>{{"The quick brown fox jumps over the lazy dog", 2},
                                              {"Hello world", 1}}));
    EXPECT_TRUE(wrapped.wrapMarks.empty());
}

TEST(WrapRows, ALineNeedingThreeRowsMarksTheSyllablesThatOpenTheContinuations) {
    song::LyricArray lyrics = quickBrownFox();
    const Wrapped wrapped = wrap(lyrics, TwentyCharacters);
    EXPECT_EQ(wrapped.rows, (std::vector<Row>{{"The quick brown fox ", 2},
                                              {"jumps over the lazy ", 3},
                                              {"dog", 3},
                                              {"Hello world", 1}}));
    EXPECT_EQ(wrapped.wrapMarks, (std::vector<int>{5, 9}));
}

TEST(WrapRows, ASecondCallLeavesOnlyTheMarksOfTheNewWidth) {
    song::LyricArray lyrics = quickBrownFox();
    wrap(lyrics, TwentyCharacters);
    const Wrapped wider = wrap(lyrics, 400); // rows of 40 characters
    EXPECT_EQ(wider.rows, (std::vector<Row>{{"The quick brown fox jumps over the lazy ", 2},
                                            {"dog", 3},
                                            {"Hello world", 1}}));
    EXPECT_EQ(wider.wrapMarks, (std::vector<int>{9}));
}

TEST(WrapRows, CurRowCountsTheRowsThatOpenBeforePosition) {
    const struct {
        std::int16_t position;
        std::int16_t curRow;
    } cases[] = {
        {0, 0},  // no position
        {1, 0},  // the first syllable opens row 1
        {2, 1},  // inside row 1
        {5, 1},  // " jumps" opens row 2: the row before it
        {6, 2},  // inside row 2
        {10, 3}, // "Hel" opens row 4 after "dog" on row 3
        {12, 4}, // the trailing sentinel
    };
    for (const auto& c : cases) {
        song::LyricArray lyrics = quickBrownFox();
        EXPECT_EQ(wrap(lyrics, TwentyCharacters, c.position).curRow, c.curRow) << c.position;
    }
}

TEST(WrapRows, AWordWiderThanThePaneGetsARowOfItsOwn) {
    song::LyricArray lyrics = makeLyrics({{"a", 2, 0},
                                          {" Supercalifragilistic", 0, 10},
                                          {" b", 0, 20},
                                          {"Unbreakablelinewithoutspaces", 1, 30}});
    const Wrapped wrapped = wrap(lyrics, 80 + 10 * 8); // rows of 10 characters
    EXPECT_EQ(wrapped.rows, (std::vector<Row>{{"a ", 2},
                                              {"Supercalifragilistic ", 3},
                                              {"b", 3},
                                              {"Unbreakablelinewithoutspaces", 1}}));
    EXPECT_EQ(wrapped.wrapMarks, (std::vector<int>{2, 3}));
}

TEST(WrapRows, APaneWithNoRoomStillEndsWithAWordPerRow) {
    song::LyricArray lyrics = quickBrownFox();
    const Wrapped wrapped = wrap(lyrics, 40); // a row width of -40
    ASSERT_EQ(wrapped.rows.size(), 11u);
    EXPECT_EQ(wrapped.rows[0], (Row{"The ", 2}));
    EXPECT_EQ(wrapped.rows[8], (Row{"dog", 3}));
    EXPECT_EQ(wrapped.rows[9], (Row{"Hello ", 1}));
    EXPECT_EQ(wrapped.rows[10], (Row{"world", 3}));
    EXPECT_EQ(wrapped.wrapMarks, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(WrapRows, AContinuationThatBeginsInsideASyllableMarksNothing) {
    // "lo world" holds the break: the row "world" begins inside it, and no syllable's rest
    // fits in "world" (the sentinel's rest, nothing but spaces, does not count).
    song::LyricArray lyrics = quickBrownFox();
    const Wrapped wrapped = wrap(lyrics, 80 + 8 * 8);
    EXPECT_EQ(wrapped.rows.back(), (Row{"world", 3}));
    EXPECT_EQ(lyrics[11].Kind, song::KindContinue);
    EXPECT_EQ(lyrics[12].Kind, song::KindContinue) << "the trailing sentinel opens no row";
}

TEST(WrapRows, ALineTableOfItsOwnIsSearchedTextByText) {
    // A line that is not its syllables joined still wraps; a syllable is marked only where its
    // rest really occurs in the piece, which here it never does.
    song::LyricArray lyrics = quickBrownFox();
    song::LineArray lines = makeLines(lyrics);
    lines[1].Text = "The quick brown fox jumps over the lazy cat";
    const RecordingCanvas pane(TwentyCharacters, 480);
    RowArray rows = makeRowArray();
    std::int16_t curRow = 0;
    WrapRows(pane, lyrics, lines, rows, curRow, 0);
    EXPECT_EQ(rows[2], (Row{"jumps over the lazy ", 3}));
    EXPECT_EQ(rows[3], (Row{"cat", 3}));
    for (int i = 1; i <= lyrics.upper(); ++i)
        EXPECT_NE(lyrics[i].Kind, song::KindWrap) << i;
}

TEST(WrapRows, AWholeSongInOneLineWrapsWithoutMeasuringItOverAndOver) {
    song::LyricArray lyrics = song::makeLyricArray();
    lyrics.append({"     ", 0, 0});
    for (int i = 0; i < 10000; ++i)
        lyrics.append({i == 0 ? "la" : " la", std::int16_t(i == 0 ? 2 : 0), i * 10});
    lyrics.append({"     ", 0, 100000});
    const Wrapped wrapped = wrap(lyrics, TwentyCharacters); // six syllables a row
    EXPECT_EQ(wrapped.rows.size(), 1667u);
    EXPECT_EQ(wrapped.wrapMarks.size(), wrapped.rows.size() - 1);
    EXPECT_EQ(wrapped.rows[1], (Row{"la la la la la la ", 3}));
}

TEST(WrapRows, ALineLongerThanSixteenBitsCanCountIsAnOverflow) {
    song::LyricArray lyrics = makeLyrics({{std::string(40000, 'x') + " y", 2, 0}});
    const RecordingCanvas pane(TwentyCharacters, 480);
    RowArray rows = makeRowArray();
    std::int16_t curRow = 0;
    try {
        WrapRows(pane, lyrics, makeLines(lyrics), rows, curRow, 0);
        ADD_FAILURE();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::Overflow);
    }
}
