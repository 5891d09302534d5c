#pragma once

// The rules that tie the sequencer's position to the lyrics: when a syllable falls due, where
// Play starts for a syllable, the offset the user typed, the tempo in force and the row of a
// syllable. Positions are song-pointer units (sixteenth notes).

#include "song/songmodel.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace player {

// The window's playback indices. CurLyric is the next syllable to fall due: -1 until the first
// report after a repositioning takes it from the scroll bar, past the trailing sentinel once the
// song is over. CurRow is the row at the top of the pane, CurTempo the tempo change in force.
// LabelShown: the stopped view covers the pane since the last resize.
struct Playback {
    std::int16_t CurLyric = -1;
    std::int16_t CurRow = 0;
    std::int16_t CurTempo = 1;
    bool LabelShown = false;
    friend bool operator==(const Playback&, const Playback&) = default;
};

// Whether a tick has fallen due at a lyric position: tick x 4 / Division (truncated) is at most
// LyricPos. A song without timing (Division 0) never has anything due; no tick overflows.
bool isDue(std::int32_t tick, std::int16_t Division, std::int32_t LyricPos);

// Where Play starts for a syllable at a tick: its due position, 0 for a song without timing,
// never past the largest 32-bit position.
std::int32_t startPositionOf(std::int32_t tick, std::int16_t Division);

// The offset the user typed: a number in 16-bit range (decimal, fractions rounded half to even,
// or "&H" hexadecimal); any other text counts as 0.
std::int16_t offsetValue(std::string_view text);

// The offset box's text after the spinner's arrows: one more, or one less when above 0; both
// keep the result within 0..32767, and the down arrow leaves an offset of 0 or less as typed.
std::string offsetAfterUp(std::string_view text);
std::string offsetAfterDown(std::string_view text);

// The tempo in force once playback reaches LyricPos, moving at most one change on from CurTempo.
std::int16_t nextTempo(const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t LyricPos,
                       std::int16_t Division);

// The last tempo change at or before a tick, searched from CurTempo in either direction.
std::int16_t tempoAt(const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t tick);

// The number (from 1) of the row that holds a syllable: the row-opening syllables up to it.
std::int16_t rowOfSyllable(const song::LyricArray& Lyrics, std::int16_t index);

} // namespace player
