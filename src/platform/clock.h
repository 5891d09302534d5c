#pragma once

#include <cstdint>

namespace platform {

// A millisecond counter for animation timing: it only ever moves forward, and its 32-bit value
// wraps around, so intervals are measured with elapsedMilliseconds().
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t milliseconds() const = 0;
};

// Milliseconds from `start` to `now` on a wrapping 32-bit counter.
inline std::int32_t elapsedMilliseconds(std::int32_t start, std::int32_t now) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                     static_cast<std::uint32_t>(start));
}

} // namespace platform
