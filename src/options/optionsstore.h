#pragma once

#include "options/options.h"
#include "platform/errortrap.h"
#include "platform/settingsstore.h"

#include <functional>
#include <string>
#include <string_view>

namespace options {

// Where the settings live in the per-user store.
inline constexpr const char* ApplicationName = "Vocatune Player 1.5";
inline constexpr const char* OptionsSection = "Options";
inline constexpr const char* WindowSection = "Window";

// The texts a reader substitutes for keys that were never written.
namespace defaults {
inline constexpr const char* FontName = "System";
inline constexpr const char* FontSize = "8";
inline constexpr const char* FontBold = "False";
inline constexpr const char* FontItalic = "False";
inline constexpr const char* FontColor = "0";
inline constexpr const char* BackColor = "&H8000000F"; // the face colour of buttons
inline constexpr const char* HighColor = "65535";      // yellow
inline constexpr const char* BallColor = "0";
inline constexpr const char* Ball = "True";
inline constexpr const char* Bitmap = "False";
inline constexpr const char* FileName = "";
inline constexpr const char* NumLines = "-1";
inline constexpr const char* VertJust = "0";
inline constexpr const char* Offset = "0";
} // namespace defaults

// Fills the record from section "Options": a fresh font description from "FontName",
// "FontSize", "FontBold", "FontItalic", then "FontColor", "BackColor", "HighColor",
// "BallColor", "Ball", "Bitmap", "FileName", "Path" (only with `withPath`), "NumLines",
// "VertJust". A key whose text does not convert leaves its field as it was; its error is left
// pending in `trap` and the following keys are still read.
void LoadOptions(Options& record, bool withPath, const platform::SettingsStore& store,
                 platform::ErrorTrap& trap);

// The same, calling `afterKey` with each key right after its read (converted or not), so that a
// window can show each value as it arrives.
using AfterKeyRead = std::function<void(std::string_view key)>;
void LoadOptions(Options& record, bool withPath, const platform::SettingsStore& store,
                 platform::ErrorTrap& trap, const AfterKeyRead& afterKey);

// Writes the fourteen keys of section "Options" in their fixed order.
void SaveOptions(const Options& record, platform::SettingsStore& store);

// The song browser's start directory: "Path", or the current working directory when it was
// never written (or, should that be gone, the root folder).
std::string readStartDirectory(const platform::SettingsStore& store);

} // namespace options
