#pragma once

#include "platform/clock.h"

namespace testsupport {

// A clock that shows what the test sets.
class FakeClock : public platform::Clock {
public:
    std::int32_t milliseconds() const override { return now; }
    std::int32_t now = 0;
};

} // namespace testsupport
