#pragma once

// Checks that a Standard MIDI file can be played and measures it, before the synthesiser sees it:
// the synthesiser accepts any bytes and only gives up on them once playing has started, and it
// knows the song's length only then. The rules follow what the synthesiser's file reader accepts.

#include <cstdint>
#include <string_view>

namespace song {

enum class MidiFault {
    None,
    NoHeader,        // not a Standard MIDI file
    FramesPerSecond, // an SMPTE time base: no quarter notes to count
    NoDivision,      // zero ticks per quarter note
    MissingTrack,    // fewer track chunks than the header announces, or a foreign chunk
    BadEvent,        // a status byte the reader does not know, or data without a status
    UnexpectedEnd,   // an event cut off by the end of its chunk or of the file
    TooLong,         // a tick past 32 bits
};

struct MidiMeasure {
    MidiFault fault = MidiFault::None;
    std::int16_t division = 0;    // ticks per quarter note
    std::int32_t lengthTicks = 0; // the largest end-of-track tick of any track
    // Microseconds per quarter note of the fastest tempo in the file, at most the default 500000:
    // a bound on how fast the ticks can run.
    std::int32_t fastestTempo = 500000;
};

MidiMeasure measureMidiFile(std::string_view bytes);

// Why a file was refused, as the end of a sentence ("it is not a Standard MIDI file").
const char* describeMidiFault(MidiFault fault);

} // namespace song
