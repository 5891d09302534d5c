#include "options/optionsstore.h"

#include "platform/conversions.h"

#include <filesystem>
#include <system_error>

namespace options {

namespace {

std::string readText(const platform::SettingsStore& store, const char* key,
                     const std::string& fallback) {
    return platform::getSetting(store, ApplicationName, OptionsSection, key, fallback);
}

void writeText(platform::SettingsStore& store, const char* key, const std::string& text) {
    store.setValue(ApplicationName, OptionsSection, key, text);
}

std::string currentDirectory() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string("/") : path.string();
}

} // namespace

void LoadOptions(Options& record, bool withPath, const platform::SettingsStore& store,
                 platform::ErrorTrap& trap) {
    LoadOptions(record, withPath, store, trap, nullptr);
}

void LoadOptions(Options& record, bool withPath, const platform::SettingsStore& store,
                 platform::ErrorTrap& trap, const AfterKeyRead& afterKey) {
    using namespace platform;
    const auto read = [&](const char* key, const char* fallback) {
        return readText(store, key, fallback);
    };
    const auto step = [&](const char* key, auto&& assign) {
        trap.run(assign);
        if (afterKey)
            afterKey(key);
    };
    trap.run([&] { record.PlayFont = FontDescription{}; });
    step("FontName", [&] { record.PlayFont.name = read("FontName", defaults::FontName); });
    step("FontSize",
         [&] { record.PlayFont.size = textToInt16(read("FontSize", defaults::FontSize)); });
    step("FontBold",
         [&] { record.PlayFont.bold = textToBool(read("FontBold", defaults::FontBold)); });
    step("FontItalic",
         [&] { record.PlayFont.italic = textToBool(read("FontItalic", defaults::FontItalic)); });
    step("FontColor",
         [&] { record.FontColor = textToInt32(read("FontColor", defaults::FontColor)); });
    step("BackColor",
         [&] { record.BackColor = textToInt32(read("BackColor", defaults::BackColor)); });
    step("HighColor",
         [&] { record.HighColor = textToInt32(read("HighColor", defaults::HighColor)); });
    step("BallColor",
         [&] { record.BallColor = textToInt32(read("BallColor", defaults::BallColor)); });
    step("Ball", [&] { record.Ball = textToBool(read("Ball", defaults::Ball)); });
    step("Bitmap", [&] { record.Bitmap = textToBool(read("Bitmap", defaults::Bitmap)); });
    step("FileName", [&] { record.FileName = read("FileName", defaults::FileName); });
    if (withPath)
        step("Path", [&] { record.Path = readStartDirectory(store); });
    step("NumLines", [&] { record.NumLines = textToInt16(read("NumLines", defaults::NumLines)); });
    step("VertJust", [&] { record.VertJust = textToInt16(read("VertJust", defaults::VertJust)); });
}

void SaveOptions(const Options& record, platform::SettingsStore& store) {
    using namespace platform;
    writeText(store, "FontName", record.PlayFont.name);
    writeText(store, "FontSize", fontSizeText(record.PlayFont.size));
    writeText(store, "FontBold", boolText(record.PlayFont.bold));
    writeText(store, "FontItalic", boolText(record.PlayFont.italic));
    writeText(store, "FontColor", integerText(record.FontColor));
    writeText(store, "BackColor", integerText(record.BackColor));
    writeText(store, "HighColor", integerText(record.HighColor));
    writeText(store, "BallColor", integerText(record.BallColor));
    writeText(store, "Ball", boolText(record.Ball));
    writeText(store, "Bitmap", boolText(record.Bitmap));
    writeText(store, "FileName", record.FileName);
    writeText(store, "Path", record.Path);
    writeText(store, "NumLines", integerText(record.NumLines));
    writeText(store, "VertJust", integerText(record.VertJust));
}

std::string readStartDirectory(const platform::SettingsStore& store) {
    if (auto stored = store.value(ApplicationName, OptionsSection, "Path"))
        return *std::move(stored);
    return currentDirectory();
}

} // namespace options
