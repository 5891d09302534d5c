#pragma once

#include "platform/clock.h"

namespace platform {

// The system's monotonic clock in milliseconds, truncated to 32 bits.
class SteadyClock : public Clock {
public:
    std::int32_t milliseconds() const override;
};

} // namespace platform
