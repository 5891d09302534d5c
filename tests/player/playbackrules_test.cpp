#include "player/playbackrules.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <limits>

using namespace player;
using testsupport::makeLyrics;
using testsupport::makeTempos;

TEST(IsDue, ASyllableFallsDueWhenTheLyricPositionReachesItsSixteenthNote) {
    const struct {
        std::int32_t tick;
        std::int16_t division;
        std::int32_t position;
        std::int16_t offset;
        bool due;
    } cases[] = {
        {960, 480, 7, 0, false},
        {960, 480, 8, 0, true},
        {960, 480, 15, 8, false}, // an offset of 8 holds it back to position 16
        {960, 480, 16, 8, true},
        {100, 480, 0, 0, true},      // 400 / 480 truncates to 0
        {959, 480, 7, 0, true},      // 3836 / 480 = 7.99 truncates to 7
        {0, 480, -1, 0, false},      // a negative lyric position lets nothing fall due
        {960, 0, 1000000, 0, false}, // a song without timing never has anything due
        {std::numeric_limits<std::int32_t>::max(), 1, std::numeric_limits<std::int32_t>::max(), 0,
         false}, // far beyond 32 bits in sixteenth notes, without overflowing
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDue(c.tick, c.division, c.position - c.offset), c.due)
            << "tick " << c.tick << " at " << c.position << " less " << c.offset;
}

TEST(StartPositionOf, IsTheDuePositionKeptWithin32Bits) {
    EXPECT_EQ(startPositionOf(1920, 480), 16);
    EXPECT_EQ(startPositionOf(959, 480), 7);
    EXPECT_EQ(startPositionOf(1920, 0), 0);
    EXPECT_EQ(startPositionOf(std::numeric_limits<std::int32_t>::max(), 1),
              std::numeric_limits<std::int32_t>::max());
}

TEST(OffsetValue, ANumberIn16BitRangeOrZero) {
    const struct {
        const char* text;
        std::int16_t value;
    } cases[] = {{"8", 8},     {" 12 ", 12}, {"-5", -5},       {"12.5", 12},
                 {"13.5", 14}, {"&H10", 16}, {"32767", 32767}, {"32768", 0},
                 {"abc", 0},   {"", 0},      {"1x", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(offsetValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(OffsetArrows, StepByOneWithinZeroTo32767) {
    const struct {
        const char* text;
        const char* up;
        const char* down;
    } cases[] = {
        {"0", "1", "0"},     {"12", "13", "11"}, {"1", "2", "0"},      {"32767", "32767", "32766"},
        {"abc", "1", "abc"}, {"-5", "0", "-5"},  {"&H10", "17", "15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(offsetAfterUp(c.text), c.up) << '"' << c.text << '"';
        EXPECT_EQ(offsetAfterDown(c.text), c.down) << '"' << c.text << '"';
    }
}

TEST(NextTempo, MovesOnAtMostOneDueTempoChangePerReport) {
    const song::TempoArray tempos = makeTempos({{500000, 0}, {400000, 480}, {300000, 960}});
    EXPECT_EQ(nextTempo(tempos, 1, 3, 480), 1);
    EXPECT_EQ(nextTempo(tempos, 1, 4, 480), 2);
    EXPECT_EQ(nextTempo(tempos, 1, 100, 480), 2) << "two changes due, one step";
    EXPECT_EQ(nextTempo(tempos, 2, 100, 480), 3);
    EXPECT_EQ(nextTempo(tempos, 3, 100, 480), 3);
    EXPECT_EQ(nextTempo(tempos, 1, 100, 0), 1);
}

TEST(TempoAt, FindsTheLastChangeAtOrBeforeATickFromEitherSide) {
    const song::TempoArray tempos = makeTempos({{500000, 0}, {400000, 480}, {300000, 960}});
    const struct {
        std::int16_t from;
        std::int32_t tick;
        std::int16_t tempo;
    } cases[] = {{1, 0, 1},   {1, 479, 1}, {1, 480, 2}, {1, 5000, 3},
                 {3, 960, 3}, {3, 959, 2}, {3, 0, 1},   {2, 700, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(tempoAt(tempos, c.from, c.tick), c.tempo)
            << "from " << c.from << " to " << c.tick;
}

TEST(RowOfSyllable, CountsTheRowOpeningSyllablesUpToIt) {
    const song::LyricArray lyrics =
        makeLyrics({{"One", 2, 0}, {"two", 0, 1}, {"Three", 1, 2}, {"four", 3, 3}, {"five", 0, 4}});
    const std::int16_t expected[] = {0, 1, 1, 2, 3, 3, 3};
    for (std::int16_t i = 0; i <= lyrics.upper(); ++i)
        EXPECT_EQ(rowOfSyllable(lyrics, i), expected[i]) << "syllable " << i;
}
