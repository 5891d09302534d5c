#pragma once

#include "display/ballstate.h"
#include "options/options.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/picture.h"
#include "song/songmodel.h"

#include <cstdint>

namespace display {

// One step of the bouncing ball on its way from syllable CurLyric - 1 to CurLyric: erases the
// ball where it was last drawn (repainting the background picture under it when Options.Bitmap
// is on) and draws it where the clock says it is now, in the band above the row being sung.
// Does nothing when CurLyric is past the song or already due at LyricPos. The pane's current
// position is the same afterwards, rounded to whole pixels, even when the step fails (an
// overflow, a zero Division or tempo: RuntimeError).
void AnimateBall(platform::Canvas& pane, const platform::Clock& clock, BallState& ball,
                 const song::LyricArray& Lyrics, std::int16_t CurLyric,
                 const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t LyricPos,
                 std::int16_t Division, const options::Options& Options,
                 const platform::PictureArray& Backdrops, std::int16_t BackdropIndex);

} // namespace display
