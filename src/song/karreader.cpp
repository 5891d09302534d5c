#include "song/karreader.h"

#include "platform/binaryfile.h"
#include "platform/errors.h"
#include "platform/numeric.h"
#include "platform/text.h"
#include "song/midicursor.h"

#include <cstring>
#include <limits>

namespace song {

namespace {

using platform::err::Overflow;

constexpr std::int32_t DefaultTempo = 500000;
constexpr int MaxLyricEvents = std::numeric_limits<std::int16_t>::max() - 1; // room for N+1
constexpr int MaxTempoChanges = std::numeric_limits<std::int16_t>::max();

void complain(platform::MessageSink& messages, const char* prefix, const std::string& path) {
    messages.showMessage(prefix + platform::upperCase(path) + ".  It is not a valid KAR file.",
                         platform::MessageIcon::Exclamation);
}

bool holdsTag(std::string_view text) {
    for (std::size_t at = text.find('@'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('@', at + 1)) {
        const char tag = text[at + 1];
        if (tag == 'T' || tag == 'L' || tag == 'W' || tag == 'I')
            return true;
    }
    return false;
}

std::uint32_t channelDataBytes(std::uint8_t status) {
    // Program change and channel pressure carry one data byte, the other channel messages two.
    return (status & 0xE0) == 0xC0 ? 1 : 2;
}

// Walks one track's events up to its end-of-track event. Meta events other than end-of-track go
// to onMeta, which reads their length and data. A data byte where a status byte belongs repeats
// the last channel message's status; before any channel message it is skipped alone.
template <typename OnMeta> void walkEvents(MidiCursor& in, OnMeta&& onMeta) {
    std::int32_t tick = 0;
    std::uint8_t running = 0;
    for (;;) {
        if (__builtin_add_overflow(tick, in.varLength(), &tick))
            platform::raiseError(Overflow);
        const std::uint8_t status = in.byte();
        if (status == 0xFF) {
            const std::uint8_t type = in.byte();
            if (type == 0x2F)
                return;
            onMeta(type, tick, in);
        } else if (status >= 0xF0) {
            in.skip(in.varLength());
        } else if (status >= 0x80) {
            running = status;
            in.skip(channelDataBytes(status));
        } else if (running != 0) {
            in.skip(channelDataBytes(running) - 1);
        }
    }
}

void skipMeta(MidiCursor& in) {
    in.skip(in.varLength());
}

void readTempoTrack(MidiCursor& in, TempoArray& Tempos) {
    walkEvents(in, [&](std::uint8_t type, std::int32_t tick, MidiCursor& c) {
        if (type != 0x51) {
            skipMeta(c);
            return;
        }
        c.varLength(); // whatever it says, a tempo is three bytes
        std::int32_t tempo = c.byte();
        tempo = tempo << 8 | c.byte();
        tempo = tempo << 8 | c.byte();
        if (Tempos.count() >= MaxTempoChanges)
            platform::raiseError(Overflow);
        Tempos.append({tempo, tick});
    });
}

LyricEvent lyricFromText(std::string_view text, std::int32_t tick) {
    // The marker may stand anywhere, but it is always the first character that goes.
    const bool paragraph = text.find('\\') != std::string_view::npos;
    const bool line = !paragraph && text.find('/') != std::string_view::npos;
    if (paragraph || line)
        return {std::string(text.substr(1)), paragraph ? KindNewParagraph : KindNewLine, tick};
    return {std::string(text), KindContinue, tick};
}

void readLyricTrack(MidiCursor& in, LyricArray& Lyrics) {
    walkEvents(in, [&](std::uint8_t type, std::int32_t tick, MidiCursor& c) {
        if (type != 0x01) {
            skipMeta(c);
            return;
        }
        const std::string_view text = c.take(c.varLength());
        if (holdsTag(text))
            return;
        if (Lyrics.upper() >= MaxLyricEvents)
            platform::raiseError(Overflow);
        Lyrics.append(lyricFromText(text, tick));
    });
}

std::size_t chunkEnd(std::size_t afterLength, std::int32_t length) {
    return static_cast<std::size_t>(
        platform::add32(static_cast<std::int64_t>(afterLength), length));
}

bool walkFile(MidiCursor& in, const std::string& path, LyricArray& Lyrics, std::int16_t& Division,
              TempoArray& Tempos, platform::MessageSink& messages) {
    if (!in.tag("MThd")) {
        complain(messages, "Missing MIDI Header Track in ", path);
        return false;
    }
    const std::int32_t headerLength = in.length32();
    in.seek(12);
    const std::int32_t divisionHigh = in.byte();
    const std::int32_t division = divisionHigh << 8 | in.byte();
    Division = platform::toInt16(division); // 0x8000 and up is an SMPTE division
    in.seek(chunkEnd(8, headerLength));

    if (!in.tag("MTrk")) {
        complain(messages, "Missing MIDI Track 0 in ", path);
        return false;
    }
    const std::int32_t tempoLength = in.length32();
    const std::size_t tempoEnd = chunkEnd(in.position(), tempoLength);
    Tempos = makeTempoArray();
    readTempoTrack(in, Tempos);
    in.byte(); // the end-of-track event's length
    in.seek(tempoEnd);
    if (Tempos.empty())
        Tempos.append({DefaultTempo, 0});

    if (!in.tag("MTrk")) {
        complain(messages, "Missing MIDI Track 1 in ", path);
        return false;
    }
    const std::int32_t infoLength = in.length32();
    in.seek(chunkEnd(in.position(), infoLength));

    if (!in.tag("MTrk")) {
        complain(messages, "Missing MIDI Track 2 in ", path);
        return false;
    }
    in.skip(4); // the words track is read up to its end-of-track event, whatever its length says
    Lyrics = makeLyricArray();
    Lyrics.append({SentinelText, KindContinue, 0});
    readLyricTrack(in, Lyrics);

    const int last = Lyrics.upper();
    if (last == 0) {
        complain(messages, "No lyrics in ", path);
        return false;
    }
    Lyrics[1].Kind = KindNewParagraph;
    Lyrics.append({SentinelText, KindContinue, platform::add32(Lyrics[last].Tick, Division)});
    return true;
}

} // namespace

bool ReadKarBytes(std::string_view bytes, const std::string& path, LyricArray& Lyrics,
                  std::int16_t& Division, TempoArray& Tempos, platform::MessageSink& messages) {
    MidiCursor in(bytes);
    try {
        return walkFile(in, path, Lyrics, Division, Tempos, messages);
    } catch (const UnexpectedEnd&) {
        complain(messages, "Unexpected end of file in ", path);
        return false;
    }
}

bool ReadKar(const std::string& path, LyricArray& Lyrics, std::int16_t& Division,
             TempoArray& Tempos, platform::MessageSink& messages) {
    const std::string bytes = platform::BinaryFile(path).readAll();
    return ReadKarBytes(bytes, path, Lyrics, Division, Tempos, messages);
}

} // namespace song
