#include "song/songjson.h"

#include <gtest/gtest.h>

using namespace song;

TEST(SongToJson, WritesEveryTableInOrder) {
    SongModel song;
    song.Division = 480;
    song.Tempos.append({500000, 0});
    song.Lyrics.append({SentinelText, KindContinue, 0});
    song.Lyrics.append({"Hi", KindNewParagraph, 10});
    song.Lyrics.append({SentinelText, KindContinue, 490});
    song.Lines.append({"Hi", KindNewParagraph});
    EXPECT_EQ(SongToJson(song, "T\r\n", ""),
              R"({"division":480,"tempos":[{"tempo":500000,"tick":0}],"lyrics":[)"
              R"({"text":"     ","kind":0,"tick":0},{"text":"Hi","kind":2,"tick":10},)"
              R"({"text":"     ","kind":0,"tick":490}],"lines":[{"text":"Hi","kind":2}],)"
              R"("title":"T\u000d\u000a","info":""})");
}

TEST(SongToJson, MapsEachByteToTheCodePointOfTheSameValue) {
    const struct {
        std::string bytes;
        std::string json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"quote\" back\\", "\"quote\\\" back\\\\\""},
        {"caf\xE9", "\"caf\xC3\xA9\""}, // 0xE9 is U+00E9
        {"\x92tis", "\"\xC2\x92tis\""}, // 0x92 is U+0092, not a curly quote
        {std::string("\x00\x1F\x7F", 3), "\"\\u0000\\u001f\\u007f\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jsonString(c.bytes), c.json);
}
