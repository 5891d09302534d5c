#include "song/linebuilder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace song;

namespace {

struct Syllable {
    const char* text;
    std::int16_t kind;
};

LyricArray lyricsOf(std::initializer_list<Syllable> syllables) {
    LyricArray lyrics = makeLyricArray();
    lyrics.append({SentinelText, KindContinue, 0});
    std::int32_t tick = 0;
    for (const Syllable& s : syllables)
        lyrics.append({s.text, s.kind, tick += 10});
    lyrics.append({SentinelText, KindContinue, tick + 480});
    return lyrics;
}

std::vector<DisplayLine> linesOf(const LyricArray& lyrics) {
    LineArray lines = makeLineArray();
    lines.append({"left over from before", KindNewLine});
    BuildLines(lyrics, lines);
    EXPECT_EQ(lines.lower(), 1);
    return {lines.begin(), lines.end()};
}

} // namespace

TEST(BuildLines, JoinsEachRunIntoOneTrimmedLine) {
    const struct {
        const char* what;
        LyricArray lyrics;
        std::vector<DisplayLine> expected;
    } cases[] = {
        {"two lines",
         lyricsOf({{"Hap", 2}, {"py", 0}, {" birth", 0}, {"day", 1}, {" to", 0}}),
         {{"Happy birth", 2}, {"day to", 1}}},
        {"spaces at both ends only",
         lyricsOf({{" all", 2}, {" words", 0}, {"  here ", 0}}),
         {{"all words  here", 2}}},
        {"one syllable", lyricsOf({{"Solo", 2}}), {{"Solo", 2}}},
        {"tabs stay", lyricsOf({{"\ttab", 2}, {" end\t", 0}}), {{"\ttab end\t", 2}}},
        {"an empty line", lyricsOf({{"a", 2}, {" ", 1}, {"b", 2}}), {{"a", 2}, {"", 1}, {"b", 2}}},
        {"wrap marks are continuations",
         lyricsOf({{"Hap", 2}, {"py", 3}, {" birth", 3}, {"day", 1}, {" to", 3}}),
         {{"Happy birth", 2}, {"day to", 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesOf(c.lyrics), c.expected) << c.what;
}

TEST(BuildLines, RefusesLyricsThatDoNotOpenALine) {
    LineArray lines = makeLineArray();
    EXPECT_THROW(BuildLines(lyricsOf({{"orphan", 0}}), lines), platform::RuntimeError);
}
