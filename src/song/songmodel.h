#pragma once

#include "platform/array.h"

#include <cstdint>
#include <string>

namespace song {

// Break kinds shared by lyric events, display lines and wrapped rows.
inline constexpr std::int16_t KindContinue = 0;
inline constexpr std::int16_t KindNewLine = 1;
inline constexpr std::int16_t KindNewParagraph = 2;
// First syllable of a continuation row of a line too wide for the pane; only the row wrapper
// writes it.
inline constexpr std::int16_t KindWrap = 3;

// Five spaces: the text of the lead-in and trailing sentinels around the lyric events.
inline constexpr const char* SentinelText = "     ";

// One syllable as sung. Text is bytes from the file, one character per byte, with the
// line-break marker removed; a leading space marks the start of a word.
struct LyricEvent {
    std::string Text;
    std::int16_t Kind = KindContinue;
    std::int32_t Tick = 0;
    friend bool operator==(const LyricEvent&, const LyricEvent&) = default;
};

// A set-tempo event of the first track: microseconds per quarter note from Tick on.
struct TempoChange {
    std::int32_t Tempo = 0;
    std::int32_t Tick = 0;
    friend bool operator==(const TempoChange&, const TempoChange&) = default;
};

// One whole line of the song, trimmed of spaces at both ends; Kind is 1 or 2.
struct DisplayLine {
    std::string Text;
    std::int16_t Kind = KindContinue;
    friend bool operator==(const DisplayLine&, const DisplayLine&) = default;
};

// Indices 0..N+1: the lead-in sentinel, the N syllables, the trailing sentinel.
using LyricArray = platform::Array<LyricEvent>;
// Indices 1..T.
using TempoArray = platform::Array<TempoChange>;
// Indices 1..L.
using LineArray = platform::Array<DisplayLine>;

inline LyricArray makeLyricArray() {
    return LyricArray(0);
}
inline TempoArray makeTempoArray() {
    return TempoArray(1);
}
inline LineArray makeLineArray() {
    return LineArray(1);
}

// A loaded song as the player window holds it.
struct SongModel {
    LyricArray Lyrics = makeLyricArray();
    TempoArray Tempos = makeTempoArray();
    std::int16_t Division = 0;
    LineArray Lines = makeLineArray();
};

} // namespace song
