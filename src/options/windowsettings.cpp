#include "options/windowsettings.h"

#include "options/optionsstore.h"
#include "platform/conversions.h"

namespace options {

namespace {

std::optional<std::string> stored(const platform::SettingsStore& store, const char* key) {
    return store.value(ApplicationName, WindowSection, key);
}

float readMeasure(const platform::SettingsStore& store, const char* key, float fallback) {
    const auto text = stored(store, key);
    return text ? platform::textToSingle(*text) : fallback;
}

} // namespace

std::int16_t readWindowState(const platform::SettingsStore& store) {
    const auto text = stored(store, "WindowState");
    return text ? platform::textToInt16(*text) : std::int16_t{0};
}

float readWindowHeight(const platform::SettingsStore& store) {
    return readMeasure(store, "Height", DefaultWindowHeight);
}

float readWindowWidth(const platform::SettingsStore& store) {
    return readMeasure(store, "Width", DefaultWindowWidth);
}

float readWindowTop(const platform::SettingsStore& store, float centredTop) {
    return readMeasure(store, "Top", centredTop);
}

float readWindowLeft(const platform::SettingsStore& store, float centredLeft) {
    return readMeasure(store, "Left", centredLeft);
}

void writeWindowPlacement(platform::SettingsStore& store, const WindowPlacement& placement) {
    using platform::singleText;
    const auto write = [&](const char* key, const std::string& text) {
        store.setValue(ApplicationName, WindowSection, key, text);
    };
    write("WindowState", platform::integerText(placement.WindowState));
    write("Top", singleText(placement.Top));
    write("Left", singleText(placement.Left));
    write("Height", singleText(placement.Height));
    write("Width", singleText(placement.Width));
}

std::string readOffset(const platform::SettingsStore& store) {
    return platform::getSetting(store, ApplicationName, OptionsSection, "Offset", defaults::Offset);
}

void writeOffset(platform::SettingsStore& store, const std::string& text) {
    store.setValue(ApplicationName, OptionsSection, "Offset", text);
}

} // namespace options
