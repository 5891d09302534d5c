#pragma once

// Builds Standard MIDI / KAR files in memory for the tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace testsupport {

std::string varLength(std::uint32_t value);
std::string bigEndian32(std::uint32_t value);
std::string bigEndian16(std::uint16_t value);

// "MThd", length 6, format, track count and division.
std::string header(std::uint16_t division, std::uint16_t tracks = 3, std::uint16_t format = 1);
// A chunk with the given tag and body, its length taken from the body unless given.
std::string chunk(std::string_view tag, std::string_view body);
std::string chunk(std::string_view tag, std::string_view body, std::uint32_t declaredLength);

// The events of one track, each written as delta time + event.
class TrackBuilder {
public:
    TrackBuilder& text(std::uint32_t delta, std::string_view text) {
        return meta(delta, 0x01, text);
    }
    TrackBuilder& meta(std::uint32_t delta, std::uint8_t type, std::string_view data);
    TrackBuilder& tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter);
    TrackBuilder& channel(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    TrackBuilder& sysex(std::uint32_t delta, std::string_view data);
    // Bytes written as they are, without a delta time.
    TrackBuilder& raw(std::string_view bytes);
    TrackBuilder& endOfTrack(std::uint32_t delta = 0);

    const std::string& events() const { return m_events; }
    std::string chunk() const { return testsupport::chunk("MTrk", m_events); }

private:
    std::string m_events;
};

// A three-track KAR file: tempo track, information track, words track.
std::string karFile(std::uint16_t division, const TrackBuilder& tempoTrack,
                    const TrackBuilder& infoTrack, const TrackBuilder& wordsTrack);

// A KAR file whose words track holds the given texts, `spacing` ticks apart from tick 0 on,
// with an empty tempo track and information track.
std::string simpleKar(std::initializer_list<std::string_view> texts, std::uint32_t spacing = 120,
                      std::uint16_t division = 480);

} // namespace testsupport
