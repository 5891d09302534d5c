#include "browser/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace browser;

TEST(SongPath, PutsOneSeparatorBetweenFolderAndFile) {
    EXPECT_EQ(songPath("/home/ann/songs", "a.kar"), "/home/ann/songs/a.kar");
    EXPECT_EQ(songPath("/", "a.kar"), "/a.kar") << "the root already ends with the separator";
    EXPECT_EQ(songPath("/media/usb/", "a.kar"), "/media/usb/a.kar");
}

TEST(UnquoteCommandLine, DropsAQuoteAtEachEndOnItsOwn) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"\"/songs/My Song.kar\"", "/songs/My Song.kar"},
        {"/songs/plain.kar", "/songs/plain.kar"},
        {"\"/songs/open.kar", "/songs/open.kar"},
        {"/songs/close.kar\"", "/songs/close.kar"},
        {"\"", ""},
        {"\"\"", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unquoteCommandLine(c.text), c.expected) << c.text;
}

TEST(SplitSongPath, CutsAtTheLastSeparator) {
    const struct {
        const char* path;
        SongLocation expected;
    } cases[] = {
        {"/home/ann/songs/a b.kar", {"/home/ann/songs", "a b.kar"}},
        {"/a.kar", {"/", "a.kar"}},
        {"a.kar", {"", "a.kar"}},
        {"/home/ann/", {"/home/ann", ""}},
        {"", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitSongPath(c.path), c.expected) << c.path;
}

TEST(MatchesPattern, MatchesWildcardsWithoutRegardToCase) {
    const struct {
        const char* name;
        const char* pattern;
        bool expected;
    } cases[] = {
        {"song.kar", "*.kar", true},
        {"SONG.KAR", "*.kar", true},
        {"Song.Kar", "*.KAR", true},
        {".kar", "*.kar", true},
        {"song.kar.txt", "*.kar", false},
        {"song.karaoke", "*.kar", false},
        {"songkar", "*.kar", false},
        {"a.kar.kar", "*.kar", true},
        {"track1.kar", "track?.kar", true},
        {"track10.kar", "track?.kar", false},
        {"tr\xC3\xA4\x63k.kar", "tr?ck.kar", true}, // "?" takes a whole UTF-8 character
        {"song.mid", "*.kar;*.mid", true},
        {"song.txt", "*.kar;*.mid", false},
        {"anything", "*", true},
        {"", "*", true},
        {"b-song.kar", "b-song.kar", true},
        {"a", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.expected) << c.name << " ~ " << c.pattern;
}

TEST(DriveOf, TakesTheDeepestVolumeThatHoldsThePath) {
    const std::vector<std::string> drives{"/", "/home/ann", "/media/ann/USB"};
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/home/ann/songs", "/home/ann"},
        {"/home/ann", "/home/ann"},
        {"/home/annabel", "/"},
        {"/media/ann/USB/karaoke", "/media/ann/USB"},
        {"/tmp", "/"},
        {"/", "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(driveOf(c.path, drives), c.expected) << c.path;
    EXPECT_EQ(driveOf("/tmp", {"/home/ann"}), "");
}

TEST(FolderChain, ListsTheFoldersFromTheRootDown) {
    using Chain = std::vector<std::string>;
    EXPECT_EQ(folderChain("/home/ann/songs"),
              (Chain{"/", "/home", "/home/ann", "/home/ann/songs"}));
    EXPECT_EQ(folderChain("/home/ann/"), (Chain{"/", "/home", "/home/ann"}));
    EXPECT_EQ(folderChain("/"), (Chain{"/"}));
    EXPECT_EQ(folderChain("relative"), Chain{});
}
