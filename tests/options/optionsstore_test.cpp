#include "options/optionsstore.h"
#include "options/windowsettings.h"
#include "platform/errors.h"
#include "support/memorysettingsstore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

using namespace options;
using testsupport::MemorySettingsStore;

namespace {

void store(MemorySettingsStore& settings, const std::string& section, const std::string& key,
           const std::string& text) {
    settings.values[{ApplicationName, section, key}] = text;
}

std::string stored(const MemorySettingsStore& settings, const std::string& section,
                   const std::string& key) {
    return settings.value(ApplicationName, section, key).value_or("<missing>");
}

Options loaded(const MemorySettingsStore& settings, bool withPath, int* pendingError = nullptr) {
    Options record;
    platform::ErrorTrap trap;
    LoadOptions(record, withPath, settings, trap);
    if (pendingError)
        *pendingError = trap.pending();
    return record;
}

} // namespace

TEST(OptionsStore, AnEmptyStoreGivesEveryDefault) {
    const MemorySettingsStore settings;
    int error = -1;
    const Options record = loaded(settings, true, &error);

    Options expected;
    expected.PlayFont = {"System", 8, false, false};
    expected.FontColor = 0;
    expected.BackColor = platform::systemColor(15);
    expected.HighColor = 65535;
    expected.BallColor = 0;
    expected.Ball = true;
    expected.Bitmap = false;
    expected.FileName = "";
    expected.Path = std::filesystem::current_path().string();
    expected.NumLines = -1;
    expected.VertJust = 0;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(readOffset(settings), "0");
}

TEST(OptionsStore, ThePlayerLeavesThePathAlone) {
    MemorySettingsStore settings;
    store(settings, "Options", "Path", "/songs");
    EXPECT_EQ(loaded(settings, false).Path, "");
    EXPECT_EQ(loaded(settings, true).Path, "/songs");
}

TEST(OptionsStore, TheButtonFaceDefaultIsWrittenBackAsSignedDecimal) {
    MemorySettingsStore settings;
    SaveOptions(loaded(settings, true), settings);
    EXPECT_EQ(stored(settings, "Options", "BackColor"), "-2147483633");
    EXPECT_EQ(loaded(settings, true).BackColor, -2147483633);
}

TEST(OptionsStore, AFractionalFontSizeIsWrittenExactlyAndReadBackWhole) {
    MemorySettingsStore settings;
    Options record = loaded(settings, true);
    record.PlayFont.size = 9.75;
    SaveOptions(record, settings);
    EXPECT_EQ(stored(settings, "Options", "FontSize"), "9.75");
    EXPECT_EQ(loaded(settings, true).PlayFont.size, 10);
}

TEST(OptionsStore, SavingWritesTheFourteenKeysInTheirOrder) {
    MemorySettingsStore settings;
    Options record;
    record.PlayFont = {"DejaVu Serif", 12.5, true, false};
    record.FontColor = 255;
    record.BackColor = 16777215;
    record.HighColor = 65535;
    record.BallColor = 16711680;
    record.Ball = false;
    record.Bitmap = true;
    record.FileName = "/pictures/stage.bmp";
    record.Path = "/songs";
    record.NumLines = 4;
    record.VertJust = 2;
    SaveOptions(record, settings);
    const std::vector<std::string> expected = {"Options/FontName=DejaVu Serif",
                                               "Options/FontSize=12.5",
                                               "Options/FontBold=True",
                                               "Options/FontItalic=False",
                                               "Options/FontColor=255",
                                               "Options/BackColor=16777215",
                                               "Options/HighColor=65535",
                                               "Options/BallColor=16711680",
                                               "Options/Ball=False",
                                               "Options/Bitmap=True",
                                               "Options/FileName=/pictures/stage.bmp",
                                               "Options/Path=/songs",
                                               "Options/NumLines=4",
                                               "Options/VertJust=2"};
    EXPECT_EQ(settings.writes, expected);

    Options again = loaded(settings, true);
    record.PlayFont.size = 12; // read back as a whole size
    EXPECT_EQ(again, record);
}

TEST(OptionsStore, ATextThatDoesNotConvertKeepsItsFieldAndTheFollowingKeysStillLoad) {
    MemorySettingsStore settings;
    store(settings, "Options", "FontSize", "large");
    store(settings, "Options", "FontBold", "True");
    store(settings, "Options", "HighColor", "yellow");
    store(settings, "Options", "NumLines", "20");
    store(settings, "Options", "VertJust", "5");

    Options record;
    record.HighColor = 123;
    platform::ErrorTrap trap;
    LoadOptions(record, false, settings, trap);
    EXPECT_EQ(record.PlayFont.size, 8); // as the new font description came
    EXPECT_TRUE(record.PlayFont.bold);
    EXPECT_EQ(record.HighColor, 123);
    EXPECT_EQ(record.NumLines, 20); // taken as it is
    EXPECT_EQ(record.VertJust, 5);
    EXPECT_EQ(trap.take(), platform::err::TypeMismatch);
}

TEST(OptionsStore, AnEmptyTextIsNotAMissingKey) {
    MemorySettingsStore settings;
    store(settings, "Options", "FontName", "");
    store(settings, "Options", "Path", "");
    store(settings, "Options", "Offset", "");
    const Options record = loaded(settings, true);
    EXPECT_EQ(record.PlayFont.name, "");
    EXPECT_EQ(record.Path, "");
    EXPECT_EQ(readOffset(settings), "");

    store(settings, "Options", "Ball", "");
    int error = 0;
    EXPECT_FALSE(loaded(settings, false, &error).Ball);
    EXPECT_EQ(error, platform::err::TypeMismatch);
}

TEST(WindowSettings, MissingKeysGiveTheDefaultPlacement) {
    const MemorySettingsStore settings;
    EXPECT_EQ(readWindowState(settings), 0);
    EXPECT_EQ(readWindowHeight(settings), 6000.0f);
    EXPECT_EQ(readWindowWidth(settings), 8175.0f);
    EXPECT_EQ(readWindowTop(settings, 4530), 4530.0f);
    EXPECT_EQ(readWindowLeft(settings, 3412), 3412.0f);
}

TEST(WindowSettings, ThePlacementAndTheOffsetRoundTrip) {
    MemorySettingsStore settings;
    const WindowPlacement placement{2, -60, 1234.5f, 11520, 15360};
    writeWindowPlacement(settings, placement);
    writeOffset(settings, "twelve");
    const std::vector<std::string> expected = {"Window/WindowState=2", "Window/Top=-60",
                                               "Window/Left=1234.5",   "Window/Height=11520",
                                               "Window/Width=15360",   "Options/Offset=twelve"};
    EXPECT_EQ(settings.writes, expected);

    const WindowPlacement read{readWindowState(settings), readWindowTop(settings, 0),
                               readWindowLeft(settings, 0), readWindowHeight(settings),
                               readWindowWidth(settings)};
    EXPECT_EQ(read, placement);
    EXPECT_EQ(readOffset(settings), "twelve");
}

TEST(WindowSettings, AMeasureThatDoesNotConvertIsAnError) {
    MemorySettingsStore settings;
    store(settings, "Window", "Height", "tall");
    store(settings, "Window", "WindowState", "70000");
    EXPECT_THROW(readWindowHeight(settings), platform::RuntimeError);
    try {
        readWindowState(settings);
        ADD_FAILURE();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::Overflow);
    }
}

TEST(OptionsStore, TellsEachKeyRightAfterItsReadConvertedOrNot) {
    MemorySettingsStore settings;
    store(settings, "Options", "FontSize", "big");
    Options record;
    platform::ErrorTrap trap;
    std::vector<std::string> keys;
    LoadOptions(record, true, settings, trap, [&](std::string_view key) {
        keys.emplace_back(key);
        if (key == "FontBold") {
            EXPECT_EQ(trap.pending(), platform::err::TypeMismatch) << "FontSize failed before";
        }
        if (key == "Ball") {
            EXPECT_TRUE(record.Ball) << "the callback sees the value just read";
        }
    });
    EXPECT_EQ(keys,
              (std::vector<std::string>{"FontName", "FontSize", "FontBold", "FontItalic",
                                        "FontColor", "BackColor", "HighColor", "BallColor", "Ball",
                                        "Bitmap", "FileName", "Path", "NumLines", "VertJust"}));
}
