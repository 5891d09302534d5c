#pragma once

// Song-pointer units: the sequencer's positions count sixteenth notes, four to a quarter note,
// from the start of the song.

#include <cstdint>

namespace song {

// tick x 4 / division, truncating; a result past 32 bits is error 6, a zero division error 11.
std::int32_t songPointerOfTick(std::int32_t tick, std::int16_t division);

// The first tick whose song-pointer position is the given one, so that playing from it reads
// back that position at once (the tick is rounded up). Negative positions give tick 0.
std::int32_t tickOfSongPointer(std::int32_t position, std::int16_t division);

} // namespace song
