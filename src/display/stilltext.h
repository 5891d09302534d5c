#pragma once

#include "display/rows.h"
#include "options/options.h"
#include "platform/canvas.h"
#include "song/songmodel.h"

#include <cstdint>
#include <string>

namespace display {

// The plain text shown over the pane while playback is stopped after a resize: the display line
// holding syllable Position, from the visual row that holds it, then as many following lines as
// Options.NumLines and the pane's height allow, each on one text line (lines end in CR LF).
// Position and the row index count 0 as 1; the row index is the player's CurRow and is only
// read. Only measures on the pane.
void ComposeStillText(const platform::Canvas& pane, const song::LyricArray& Lyrics,
                      std::int16_t Position, const RowArray& Rows, std::int16_t rowIndex,
                      std::string& PageText, const options::Options& Options);

} // namespace display
