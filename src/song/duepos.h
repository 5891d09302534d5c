#pragma once

#include <cstdint>

namespace song {

// The sequencer position of a tick in song-pointer units (sixteenth notes): tick * 4 / Division,
// truncating toward zero. A zero Division is error 11, a tick beyond 536870911 error 6.
std::int32_t DuePos(std::int32_t tick, std::int16_t Division);

} // namespace song
