#include "song/duepos.h"

#include "platform/numeric.h"

namespace song {

std::int32_t DuePos(std::int32_t tick, std::int16_t Division) {
    return platform::divTrunc32(platform::mul32(tick, 4), Division);
}

} // namespace song
