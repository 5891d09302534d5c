#include "song/songpointer.h"

#include "platform/errors.h"
#include "platform/numeric.h"

namespace song {

std::int32_t songPointerOfTick(std::int32_t tick, std::int16_t division) {
    if (division == 0)
        platform::raiseError(platform::err::DivisionByZero);
    return platform::toInt32(static_cast<std::int64_t>(tick) * 4 / division);
}

std::int32_t tickOfSongPointer(std::int32_t position, std::int16_t division) {
    if (division == 0)
        platform::raiseError(platform::err::DivisionByZero);
    if (position <= 0)
        return 0;
    const std::int64_t scaled = static_cast<std::int64_t>(position) * division;
    return platform::toInt32((scaled + 3) / 4);
}

} // namespace song
