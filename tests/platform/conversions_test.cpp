#include "platform/conversions.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

using namespace platform;

namespace {

// The value read (the type's zero after an error) and the error number raised (0 for none).
template <typename Reader> auto readOrError(Reader reader, const std::string& text) {
    std::pair<decltype(reader(text)), int> outcome{};
    try {
        outcome.first = reader(text);
    } catch (const RuntimeError& e) {
        outcome.second = e.number();
    }
    return outcome;
}

} // namespace

TEST(Conversions, SixteenBitReaderRoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
    const struct {
        const char* text;
        std::int16_t value;
        int error;
    } cases[] = {
        {"8", 8, 0},
        {"9.75", 10, 0},
        {"8.5", 8, 0},
        {"9.5", 10, 0},
        {"-1", -1, 0},
        {" 4 ", 4, 0},
        {"+3", 3, 0},
        {"1e2", 100, 0},
        {".5", 0, 0},
        {"5.", 5, 0},
        {"&H10", 16, 0},
        {"32767.4", 32767, 0},
        {"32767.5", 0, 6},
        {"-32768", -32768, 0},
        {"&HFFFF", 0, 6},
        {"1e400", 0, 6},
        {"", 0, 13},
        {"abc", 0, 13},
        {"12abc", 0, 13},
        {"1,5", 0, 13},
        {"inf", 0, 13},
        {"nan", 0, 13},
        {"0x10", 0, 13},
        {"&H", 0, 13},
        {"--1", 0, 13},
        {"1e", 0, 13},
        {"True", 0, 13},
        {"1e-400", 0, 0},
        {"0.0001e-400", 0, 0},
        {"0.001e400", 0, 6},
        {"1e99999999999999999999", 0, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readOrError(textToInt16, c.text), std::pair(c.value, c.error)) << c.text;
    }
}

TEST(Conversions, ThirtyTwoBitReaderTakesHexadecimalAsABitPattern) {
    const struct {
        const char* text;
        std::int32_t value;
        int error;
    } cases[] = {
        {"&H8000000F", -2147483633, 0},
        {"&h8000000f", -2147483633, 0},
        {"&HFFFFFFFF", -1, 0},
        {"&HFFFF", 65535, 0},
        {"&H0", 0, 0},
        {"&H100000000", 0, 6},
        {"&HG", 0, 13},
        {"-2147483633", -2147483633, 0},
        {"65535", 65535, 0},
        {"2147483647", 2147483647, 0},
        {"2147483648", 0, 6},
        {"-2147483649", 0, 6},
        {"-2147483648.5", -2147483647 - 1, 0},
        {"2.5", 2, 0},
        {"", 0, 13},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readOrError(textToInt32, c.text), std::pair(c.value, c.error)) << c.text;
    }
}

TEST(Conversions, BooleanReaderTakesWordsInAnyCaseOrNumbers) {
    const struct {
        const char* text;
        bool value;
        int error;
    } cases[] = {
        {"True", true, 0},  {"FALSE", false, 0}, {"true", true, 0},    {" False ", false, 0},
        {"0", false, 0},    {"-1", true, 0},     {"0.4", true, 0},     {"&H0", false, 0},
        {"yes", false, 13}, {"", false, 13},     {"Truth", false, 13},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readOrError(textToBool, c.text), std::pair(c.value, c.error)) << c.text;
    }
}

TEST(Conversions, SingleReaderKeepsSinglePrecisionAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(textToSingle("8175"), 8175.0f);
    EXPECT_EQ(textToSingle("4530.5"), 4530.5f);
    EXPECT_EQ(textToSingle("0.1"), 0.1f);
    EXPECT_EQ(textToSingle("-1.5e3"), -1500.0f);
    EXPECT_EQ(readOrError(textToSingle, "1e39").second, err::Overflow);
    EXPECT_EQ(readOrError(textToSingle, "wide").second, err::TypeMismatch);
}

TEST(Conversions, WritersGiveThePlainTextForms) {
    EXPECT_EQ(integerText(-2147483633), "-2147483633");
    EXPECT_EQ(integerText(65535), "65535");
    EXPECT_EQ(boolText(true), "True");
    EXPECT_EQ(boolText(false), "False");

    const struct {
        double size;
        const char* text;
    } sizes[] = {{8, "8"},       {9.75, "9.75"},      {10.5, "10.5"},
                 {8.25, "8.25"}, {7.12344, "7.1234"}, {7.12346, "7.1235"},
                 {0.00004, "0"}, {-2.5, "-2.5"},      {12.0001, "12.0001"}};
    for (const auto& s : sizes)
        EXPECT_EQ(fontSizeText(s.size), s.text) << s.size;

    const struct {
        float value;
        const char* text;
    } singles[] = {{8175, "8175"}, {4530.5f, "4530.5"}, {0.1f, "0.1"},
                   {-0.0f, "0"},   {-120, "-120"},      {1e10f, "1e+10"}};
    for (const auto& s : singles)
        EXPECT_EQ(singleText(s.value), s.text) << s.value;
}

TEST(Conversions, WrittenTextsReadBackAsTheSameValues) {
    for (const float value : {0.1f, 1.0f / 3, 8175.25f, 123456.79f, -1e-7f, 3e38f})
        EXPECT_EQ(textToSingle(singleText(value)), value) << value;
    for (const std::int32_t value : {-2147483647 - 1, -2147483633, 0, 65535, 2147483647})
        EXPECT_EQ(textToInt32(integerText(value)), value);
    for (const bool value : {true, false})
        EXPECT_EQ(textToBool(boolText(value)), value);
}
