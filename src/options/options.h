#pragma once

#include "platform/color.h"
#include "platform/font.h"

#include <cstdint>
#include <string>

namespace options {

// The display settings and the browser's start directory. Each window holds its own record and
// fills it from the store; a record nobody has filled holds zeros, false and empty texts.
struct Options {
    platform::FontDescription PlayFont;
    platform::Color FontColor = 0;
    platform::Color BallColor = 0;
    platform::Color HighColor = 0;
    platform::Color BackColor = 0;
    bool Ball = false;
    bool Bitmap = false;
    std::string FileName;
    std::string Path;
    std::int16_t NumLines = 0; // -1: as many lines as fit
    std::int16_t VertJust = 0; // 0 top, 1 centre, 2 bottom
    friend bool operator==(const Options&, const Options&) = default;
};

// NumLines when the page takes as many lines as fit.
inline constexpr std::int16_t AutomaticLines = -1;

} // namespace options
