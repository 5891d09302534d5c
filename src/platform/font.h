#pragma once

#include <string>

namespace platform {

// Where the desktop's general interface font is meant rather than a face of its own.
inline constexpr const char* SystemFontName = "System";

// A font as the settings and the panes know it. A new description is the desktop font at 8
// points, neither bold nor italic.
struct FontDescription {
    std::string name = SystemFontName;
    double size = 8.0; // points; fractions of up to four places are kept
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace platform
