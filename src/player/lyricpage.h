#pragma once

// Drawing the lyric page as playback moves through the song: a new page when a syllable opens
// a row, the highlight moving along a row, the page of a syllable chosen on the scroll bar. The
// pane's current x is the right edge of the syllable highlighted last, between calls.

#include "display/ballstate.h"
#include "display/rows.h"
#include "options/options.h"
#include "platform/canvas.h"
#include "platform/picture.h"
#include "song/songmodel.h"

#include <cstdint>
#include <string>

namespace player {

// What the drawing reads: the pane, the syllables, the rows, the settings and the background
// picture (null when there is none).
struct PageScene {
    platform::Canvas& pane;
    const song::LyricArray& Lyrics;
    const display::RowArray& Rows;
    const options::Options& Options;
    const platform::Picture* backdrop = nullptr;
};

// The due syllable CurLyric opens a row: the page starting with the next row (CurRow moves on to
// it) replaces the pane's drawing, with the syllable boxed in the highlight colour at the
// indent, its leading spaces left out. The ball's hop starts from the syllable's middle.
void DrawNewRow(const PageScene& scene, std::int16_t CurLyric, std::int16_t& CurRow,
                std::string& PageText, display::BallState& ball, std::int32_t top);

// The due syllable CurLyric continues the row: the previous syllable loses its box (the
// background picture is painted back under it) and CurLyric gets one, unless it is the trailing
// sentinel. The ball's hop starts from the middle of the previous syllable.
void MoveHighlight(const PageScene& scene, std::int16_t CurLyric, display::BallState& ball,
                   std::int32_t top);

// Paints the ball over in the background colour and the background picture, when it is on.
void EraseBall(const PageScene& scene, const display::BallState& ball);

// Prints the page that starts with a row at the page's top (on what the pane holds) and returns
// that top.
std::int32_t PrintPage(const PageScene& scene, std::int16_t row, std::string& PageText);

// Boxes syllable `index` on the top row of a printed page: at the indent plus the widths of the
// syllables before it on its row. The ball waits just above the row, its hop starting from the
// syllable's middle.
void HighlightSyllable(const PageScene& scene, std::int16_t index, std::int32_t top,
                       display::BallState& ball);

// The ball at rest: half an indent from the left edge, its bottom one line below the top edge.
void RestBall(const platform::Canvas& pane, display::BallState& ball);

// The ball's size from the pane's font (half the width of an "A"), at rest, with no hop.
display::BallState BallAtRest(const platform::Canvas& pane);

} // namespace player
