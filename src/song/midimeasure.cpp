#include "song/midimeasure.h"

#include "platform/errors.h"
#include "song/midicursor.h"

#include <algorithm>

namespace song {

namespace {

struct Refused {
    MidiFault fault;
};

constexpr std::size_t HeaderSize = 14; // "MThd", length 6, format, tracks, division

std::uint32_t dataBytesOf(std::uint8_t status) {
    // Program change and channel pressure carry one data byte, the other channel messages two.
    return (status & 0xE0) == 0xC0 ? 1 : 2;
}

std::uint32_t word32(MidiCursor& in) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | in.byte();
    return value;
}

int word16(MidiCursor& in) {
    const int high = in.byte();
    return high << 8 | in.byte();
}

std::int32_t advance(std::int32_t tick, std::int32_t delta) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(tick, delta, &sum))
        throw Refused{MidiFault::TooLong};
    return sum;
}

// Meta events of a fixed size; the synthesiser's reader refuses a file where one has another.
bool hasItsSize(std::uint8_t type, std::size_t size) {
    switch (type) {
    case 0x2F: // end of track
        return size == 0;
    case 0x51: // tempo
        return size == 3;
    case 0x54: // SMPTE offset
        return size == 5;
    case 0x58: // time signature
        return size == 4;
    case 0x59: // key signature
        return size == 2;
    default:
        return true;
    }
}

std::int32_t tempoOf(std::string_view data, std::int32_t fastest) {
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(data[i]); };
    const std::int32_t tempo = byteAt(0) << 16 | byteAt(1) << 8 | byteAt(2);
    return std::min(fastest, std::max(tempo, 1));
}

// Walks one track up to where it ends: its end-of-track event, or its last event when the chunk
// runs out between two events. Running status survives meta events but not system exclusive
// ones, as in the synthesiser's reader.
std::int32_t walkTrack(std::string_view events, MidiMeasure& result) {
    MidiCursor in(events);
    std::int32_t tick = 0;
    std::uint8_t running = 0;
    while (in.position() < in.size()) {
        tick = advance(tick, in.varLength());
        const std::uint8_t status = in.byte();
        if (status == 0xFF) {
            const std::uint8_t type = in.byte();
            const std::string_view data = in.take(in.varLength());
            if (!hasItsSize(type, data.size()))
                throw Refused{MidiFault::BadEvent};
            if (type == 0x51)
                result.fastestTempo = tempoOf(data, result.fastestTempo);
            if (type == 0x2F)
                return tick;
        } else if (status == 0xF0) {
            in.skip(in.varLength());
            running = 0;
        } else if (status >= 0xF0) {
            throw Refused{MidiFault::BadEvent};
        } else if (status >= 0x80) {
            running = status;
            in.skip(dataBytesOf(status));
        } else if (running != 0) {
            in.skip(dataBytesOf(running) - 1);
        } else {
            throw Refused{MidiFault::BadEvent};
        }
    }
    return tick;
}

MidiMeasure measure(std::string_view bytes) {
    MidiCursor in(bytes);
    if (bytes.size() < HeaderSize || !in.tag("MThd") || word32(in) != 6)
        throw Refused{MidiFault::NoHeader};
    word16(in); // the format: 0, 1 and 2 all play their tracks together from tick 0
    const int tracks = word16(in);
    const int division = word16(in);
    if (division >= 0x8000)
        throw Refused{MidiFault::FramesPerSecond};
    if (division == 0)
        throw Refused{MidiFault::NoDivision};

    MidiMeasure result;
    result.division = static_cast<std::int16_t>(division);
    for (int track = 0; track < tracks; ++track) {
        if (!in.tag("MTrk"))
            throw Refused{MidiFault::MissingTrack};
        const std::size_t declared = word32(in);
        const std::size_t start = in.position();
        // A chunk that claims more than the file holds is read up to the end of the file.
        const std::size_t length = std::min(declared, bytes.size() - std::min(start, bytes.size()));
        const std::int32_t end = walkTrack(bytes.substr(start, length), result);
        result.lengthTicks = std::max(result.lengthTicks, end);
        in.seek(start + length);
    }
    return result;
}

} // namespace

MidiMeasure measureMidiFile(std::string_view bytes) {
    try {
        return measure(bytes);
    } catch (const Refused& refused) {
        return {refused.fault, 0, 0, 0};
    } catch (const UnexpectedEnd&) {
        return {MidiFault::UnexpectedEnd, 0, 0, 0};
    } catch (const platform::RuntimeError&) {
        // The cursor's only error: a variable-length quantity past 32 bits.
        return {MidiFault::TooLong, 0, 0, 0};
    }
}

const char* describeMidiFault(MidiFault fault) {
    switch (fault) {
    case MidiFault::None:
        return "it can be played";
    case MidiFault::NoHeader:
        return "it is not a Standard MIDI file";
    case MidiFault::FramesPerSecond:
        return "its time is counted in frames per second, not in beats";
    case MidiFault::NoDivision:
        return "its header gives no ticks per quarter note";
    case MidiFault::MissingTrack:
        return "a track announced by its header is missing";
    case MidiFault::BadEvent:
        return "it holds an event that is not valid MIDI";
    case MidiFault::UnexpectedEnd:
        return "it ends in the middle of an event";
    case MidiFault::TooLong:
        return "it is too long to be played";
    }
    return "it cannot be read";
}

} // namespace song
