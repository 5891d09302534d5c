#pragma once

#include "display/ballstate.h"
#include "display/rows.h"
#include "options/options.h"
#include "platform/canvas.h"
#include "platform/picture.h"

#include <cstdint>
#include <string>

namespace display {

// The height of one line in the pane's font (an empty text is one line). The ball's band, the
// lowest top of the row being sung, the resting ball and the stopped-view label are all measured
// in this unit; a text holding one line break would be two lines high.
double lineHeight(const platform::Canvas& pane);

// The text of the page that starts with row R: each row after the margin, rows separated by a
// carriage return, an empty line before a paragraph when more than two lines are shown, up to
// Options.NumLines lines or until the text is taller than the pane (that last row stays). R must
// be a row of Rows (error 9 otherwise).
std::string ComposePageText(const platform::Canvas& pane, const RowArray& Rows, std::int16_t R,
                            const options::Options& Options);

// The top of the row being sung, placed by Options.NumLines and VertJust; never less than one
// line height, which leaves the band above it to the ball.
std::int32_t PageTop(const platform::Canvas& pane, const options::Options& Options);

// Repaints the rectangle of a syllable, its corners (x, y) and (x + w, y + h) included, from the
// background picture, as far as the picture reaches.
void RestoreBackdropRect(platform::Canvas& pane, const platform::Picture& picture, std::int32_t x,
                         std::int32_t y, std::int32_t w, std::int32_t h);

// Repaints the square around the ball as last drawn from the background picture, as far as the
// picture reaches.
void RestoreBackdropRect(platform::Canvas& pane, const platform::Picture& picture,
                         const BallState& ball);

// The background picture in use, or null when there is none (an empty element, an index
// outside the table).
const platform::Picture* backdropAt(const platform::PictureArray& Backdrops,
                                    std::int16_t BackdropIndex);

} // namespace display
