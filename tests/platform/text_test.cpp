#include "platform/text.h"

#include <gtest/gtest.h>

TEST(UpperCase, UpperCasesUnicodeAndKeepsBytesThatAreNotUtf8) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"/home/me/song.kar", "/HOME/ME/SONG.KAR"},
        {"/música/ñandú.kar", "/MÚSICA/ÑANDÚ.KAR"},
        {"/Σ/δ.kar", "/Σ/Δ.KAR"},
        {"/raw\xE9/a.kar", "/RAW\xE9/A.KAR"}, // a Latin-1 byte in a file name stays
        {"cut\xC3", "CUT\xC3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::upperCase(c.in), c.out) << c.in;
}
