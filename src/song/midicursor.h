#pragma once

// A bounded reader over the bytes of a MIDI file held in memory. Every read checks the end of
// the data first; running out throws UnexpectedEnd, which the song readers turn into their
// "Unexpected end of file" message. Values that do not fit 32 bits are error 6.

#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace song {

struct UnexpectedEnd {};

class MidiCursor {
public:
    explicit MidiCursor(std::string_view data) noexcept
        : m_begin(reinterpret_cast<const std::uint8_t*>(data.data())), m_pos(m_begin),
          m_end(m_begin + data.size()) {}

    std::size_t position() const noexcept { return static_cast<std::size_t>(m_pos - m_begin); }
    std::size_t size() const noexcept { return static_cast<std::size_t>(m_end - m_begin); }

    // Moves to an absolute offset; an offset past the end leaves nothing to read.
    void seek(std::size_t offset) noexcept { m_pos = offset >= size() ? m_end : m_begin + offset; }

    std::uint8_t byte() {
        if (m_pos == m_end)
            throw UnexpectedEnd{};
        return *m_pos++;
    }

    // True when the next four bytes are the given tag; consumes what is there (at most four).
    bool tag(std::string_view fourCharacters) noexcept {
        const std::size_t available = static_cast<std::size_t>(m_end - m_pos);
        const std::size_t n = available < 4 ? available : 4;
        const bool same =
            n == 4 && std::string_view(reinterpret_cast<const char*>(m_pos), 4) == fourCharacters;
        m_pos += n;
        return same;
    }

    // A big-endian 32-bit length; a first byte of 0x80 or more does not fit a signed length.
    std::int32_t length32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | byte();
        if (value > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
            platform::raiseError(platform::err::Overflow);
        return static_cast<std::int32_t>(value);
    }

    // A variable-length quantity: seven bits a byte, most significant first, the top bit set on
    // every byte but the last. A value past 32-bit signed is error 6.
    std::int32_t varLength() {
        std::uint8_t b = byte();
        if (b < 0x80) [[likely]]
            return b;
        std::int64_t value = b & 0x7F;
        do {
            b = byte();
            value = (value << 7) | (b & 0x7F);
            if (value > std::numeric_limits<std::int32_t>::max())
                platform::raiseError(platform::err::Overflow);
        } while (b & 0x80);
        return static_cast<std::int32_t>(value);
    }

    void skip(std::int64_t count) {
        if (count > m_end - m_pos)
            throw UnexpectedEnd{};
        m_pos += count;
    }

    std::string_view take(std::int64_t count) {
        const auto* start = m_pos;
        skip(count);
        return {reinterpret_cast<const char*>(start), static_cast<std::size_t>(count)};
    }

private:
    const std::uint8_t* m_begin;
    const std::uint8_t* m_pos;
    const std::uint8_t* m_end;
};

} // namespace song
