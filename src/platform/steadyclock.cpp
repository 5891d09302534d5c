#include "platform/steadyclock.h"

#include <chrono>

namespace platform {

std::int32_t SteadyClock::milliseconds() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto count = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count));
}

} // namespace platform
