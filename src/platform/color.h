#pragma once

#include <cstdint>

namespace platform {

// A colour as the settings store and the drawing routines hold it: 0x00BBGGRR. A value with the
// high bit set names a system colour (a colour of the desktop's theme) by its low byte.
using Color = std::int32_t;

inline constexpr bool isSystemColor(Color color) noexcept {
    return color < 0;
}

// The index of a system colour (15 is the face of buttons).
inline constexpr int systemColorIndex(Color color) noexcept {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}

inline constexpr Color systemColor(int index) noexcept {
    return static_cast<Color>(0x80000000u | (static_cast<std::uint32_t>(index) & 0xFFu));
}

inline constexpr int redOf(Color color) noexcept {
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}
inline constexpr int greenOf(Color color) noexcept {
    return static_cast<int>((static_cast<std::uint32_t>(color) >> 8) & 0xFFu);
}
inline constexpr int blueOf(Color color) noexcept {
    return static_cast<int>((static_cast<std::uint32_t>(color) >> 16) & 0xFFu);
}

inline constexpr Color rgbColor(int red, int green, int blue) noexcept {
    return static_cast<Color>((static_cast<std::uint32_t>(red) & 0xFFu) |
                              ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
                              ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16));
}

} // namespace platform
