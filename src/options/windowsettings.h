#pragma once

#include "platform/settingsstore.h"

#include <cstdint>
#include <string>

namespace options {

// The player window's placement as it is stored: lengths in twips (1440 to the inch).
struct WindowPlacement {
    std::int16_t WindowState = 0; // 0 normal, 1 minimised, 2 maximised
    float Top = 0;
    float Left = 0;
    float Height = 0;
    float Width = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

inline constexpr float DefaultWindowHeight = 6000.0f;
inline constexpr float DefaultWindowWidth = 8175.0f;

// Each reader takes one key of section "Window" and throws RuntimeError when its text does not
// convert, so the player can read and apply them one by one: the defaults of "Top" and "Left"
// depend on the size applied before them.
std::int16_t readWindowState(const platform::SettingsStore& store);
float readWindowHeight(const platform::SettingsStore& store);
float readWindowWidth(const platform::SettingsStore& store);
float readWindowTop(const platform::SettingsStore& store, float centredTop);
float readWindowLeft(const platform::SettingsStore& store, float centredLeft);

// "WindowState", "Top", "Left", "Height", "Width", in this order.
void writeWindowPlacement(platform::SettingsStore& store, const WindowPlacement& placement);

// The text of the player's offset box, kept as typed.
std::string readOffset(const platform::SettingsStore& store);
void writeOffset(platform::SettingsStore& store, const std::string& text);

} // namespace options
