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
    using namespace platform;
    const auto read = [&](const char* key, const char* fallback) {
        return readText(store, key, fallback);
    };
    trap.run([&] { record.PlayFont = FontDescription{}; });
    trap.run([&] { record.PlayFont.name = read("FontName", defaults::FontName); });
    trap.run([&] { record.PlayFont.size = textToInt16(read("FontSize", defaults::FontSize)); });
    trap.run([&] { record.PlayFont.bold = textToBool(read("FontBold", defaults::FontBold)); });
    trap.run(
        [&] { record.PlayFont.italic = textToBool(read("FontItalic", defaults::FontItalic)); });
    trap.run([&] { record.FontColor = textToInt32(read("FontColor", defaults::FontColor)); });
    trap.run([&] { record.BackColor = textToInt32(read("BackColor", defaults::BackColor)); });
    trap.run([&] { record.HighColor = textToInt32(read("HighColor", defaults::HighColor)); });
    trap.run([&] { record.BallColor = textToInt32(read("BallColor", defaults::BallColor)); });
    trap.run([&] { record.Ball = textToBool(read("Ball", defaults::Ball)); });
    trap.run([&] { record.Bitmap = textToBool(read("Bitmap", defaults::Bitmap)); });
    trap.run([&] { record.FileName = read("FileName", defaults::FileName); });
    if (withPath)
        trap.run([&] { record.Path = readStartDirectory(store); });
    trap.run([&] { record.NumLines = textToInt16(read("NumLines", defaults::NumLines)); });
    trap.run([&] { record.VertJust = textToInt16(read("VertJust", defaults::VertJust)); });
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
