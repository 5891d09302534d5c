#include "player/startuprules.h"

#include <gtest/gtest.h>

using namespace player;

TEST(SongPath, JoinsFolderAndFileWithOneSeparator) {
    EXPECT_EQ(SongPath("/home/ann/songs", "demo.kar"), "/home/ann/songs/demo.kar");
    EXPECT_EQ(SongPath("/", "demo.kar"), "/demo.kar");
    EXPECT_EQ(SongPath("/media/stick/", "demo.kar"), "/media/stick/demo.kar");
}

TEST(CaptionName, IsTheFirstTitleLineOrTheUpperCasedFileNameWithoutItsExtension) {
    const struct {
        const char* title;
        const char* file;
        CaptionName name;
    } cases[] = {
        {"Yesterday\r\nBy the band\r\n", "y.kar", {"Yesterday", true}},
        {"Only line\r\n", "y.kar", {"Only line", true}},
        {"\r\n", "y.kar", {"", true}},
        {"", "demo.kar", {"DEMO", false}},
        {"No line end", "demo.kar", {"DEMO", false}},
        {"", "\xC3\xA9t\xC3\xA9.kar", {"\xC3\x89T\xC3\x89", false}}, // Unicode upper case
        {"", "ab\xC3\xA9", {"", false}},                             // four characters: none left
        {"", "kar", {"", false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(captionName(c.title, c.file), c.name) << c.file;
}
