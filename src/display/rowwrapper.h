#pragma once

#include "display/rows.h"
#include "platform/canvas.h"
#include "song/songmodel.h"

#include <cstdint>

namespace display {

// Fits the display lines to the pane's width: rebuilds Rows (from 1) and marks with KindWrap
// the syllable at which each continuation row begins, after clearing the marks of an earlier
// call. CurRow becomes the number of the row that holds syllable Position - 1 (0 for Position
// 0). Only measures on the pane. A table or line beyond 16-bit bounds is error 6.
void WrapRows(const platform::Canvas& pane, song::LyricArray& Lyrics, const song::LineArray& Lines,
              RowArray& Rows, std::int16_t& CurRow, std::int16_t Position);

} // namespace display
