#include "player/lyricsexport.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace player;

namespace {

display::RowArray rowsOf(std::initializer_list<display::Row> list) {
    display::RowArray rows = display::makeRowArray();
    for (const display::Row& row : list)
        rows.append(row);
    return rows;
}

} // namespace

TEST(ExportText, OneTextLinePerSongLineWithAnEmptyLineBeforeEachParagraph) {
    const struct {
        display::RowArray rows;
        std::string text;
    } cases[] = {
        {rowsOf({{"First", 2}, {"Second", 1}, {"Third", 2}}),
         "\r\n\r\nFirst\r\nSecond\r\n\r\nThird"},
        // A wrapped line comes back as one line: the head's trailing spaces go, one space joins.
        {rowsOf({{"Twinkle twinkle   ", 2}, {"little star", 3}, {"How I", 1}}),
         "\r\n\r\nTwinkle twinkle little star\r\nHow I"},
        {rowsOf({{"a ", 2}, {"b ", 3}, {"c", 0}, {"d", 7}}), "\r\n\r\na b c d"},
        {rowsOf({{"\x93Quoted\x94", 2}}), "\r\n\r\n\x93Quoted\x94"}, // the song's own bytes
        {rowsOf({}), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExportText(c.rows), c.text);
}

TEST(RowsOfLines, GivesEachDisplayLineOneRow) {
    const song::LyricArray lyrics = testsupport::makeLyrics(
        {{"Hel", 2, 0}, {"lo", 0, 1}, {" there", 0, 2}, {" Next", 1, 3}, {"Verse", 2, 4}});
    const display::RowArray rows = rowsOfLines(testsupport::makeLines(lyrics));
    EXPECT_EQ(rows, rowsOf({{"Hello there", 2}, {"Next", 1}, {"Verse", 2}}));
    EXPECT_EQ(ExportText(rows), "\r\n\r\nHello there\r\nNext\r\n\r\nVerse");
}
