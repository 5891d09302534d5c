#pragma once

#include "platform/array.h"
#include "platform/canvas.h"

#include <cstdint>
#include <string>

namespace display {

// One row of the lyric pane: a display line or the piece of it that fits the pane's width.
// Kind is that of the line for its first row (1 or 2) and KindWrap (3) for every further row.
struct Row {
    std::string Text;
    std::int16_t Kind = 0;
    friend bool operator==(const Row&, const Row&) = default;
};

// Indices 1..R.
using RowArray = platform::Array<Row>;

inline RowArray makeRowArray() {
    return RowArray(1);
}

// The margin on each side of a row: five spaces of the pane's font.
inline constexpr const char* Indent = "     ";

// The width a row may take: the pane's width less the margin on both sides.
std::int16_t RowWidth(const platform::Canvas& pane);

} // namespace display
