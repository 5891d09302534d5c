#include "support/karbuilder.h"

namespace testsupport {

std::string varLength(std::uint32_t value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0)
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return bytes;
}

std::string bigEndian32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string bigEndian16(std::uint16_t value) {
    return {static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string header(std::uint16_t division, std::uint16_t tracks, std::uint16_t format) {
    return "MThd" + bigEndian32(6) + bigEndian16(format) + bigEndian16(tracks) +
           bigEndian16(division);
}

std::string chunk(std::string_view tag, std::string_view body) {
    return chunk(tag, body, static_cast<std::uint32_t>(body.size()));
}

std::string chunk(std::string_view tag, std::string_view body, std::uint32_t declaredLength) {
    return std::string(tag) + bigEndian32(declaredLength) + std::string(body);
}

TrackBuilder& TrackBuilder::meta(std::uint32_t delta, std::uint8_t type, std::string_view data) {
    m_events += varLength(delta);
    m_events += '\xFF';
    m_events += static_cast<char>(type);
    m_events += varLength(static_cast<std::uint32_t>(data.size()));
    m_events += data;
    return *this;
}

TrackBuilder& TrackBuilder::tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter) {
    const std::string value = bigEndian32(microsecondsPerQuarter).substr(1);
    return meta(delta, 0x51, value);
}

TrackBuilder& TrackBuilder::channel(std::uint32_t delta,
                                    std::initializer_list<std::uint8_t> bytes) {
    m_events += varLength(delta);
    for (const std::uint8_t b : bytes)
        m_events += static_cast<char>(b);
    return *this;
}

TrackBuilder& TrackBuilder::sysex(std::uint32_t delta, std::string_view data) {
    m_events += varLength(delta);
    m_events += '\xF0';
    m_events += varLength(static_cast<std::uint32_t>(data.size()));
    m_events += data;
    return *this;
}

TrackBuilder& TrackBuilder::raw(std::string_view bytes) {
    m_events += bytes;
    return *this;
}

TrackBuilder& TrackBuilder::endOfTrack(std::uint32_t delta) {
    return meta(delta, 0x2F, {});
}

std::string karFile(std::uint16_t division, const TrackBuilder& tempoTrack,
                    const TrackBuilder& infoTrack, const TrackBuilder& wordsTrack) {
    return header(division) + tempoTrack.chunk() + infoTrack.chunk() + wordsTrack.chunk();
}

std::string simpleKar(std::initializer_list<std::string_view> texts, std::uint32_t spacing,
                      std::uint16_t division) {
    TrackBuilder words;
    std::uint32_t delta = 0;
    for (const std::string_view text : texts) {
        words.text(delta, text);
        delta = spacing;
    }
    return karFile(division, TrackBuilder().endOfTrack(), TrackBuilder().endOfTrack(),
                   words.endOfTrack());
}

} // namespace testsupport
