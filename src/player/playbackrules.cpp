#include "player/playbackrules.h"

#include "platform/conversions.h"
#include "platform/numeric.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace player {

namespace {

constexpr std::int16_t LargestOffset = std::numeric_limits<std::int16_t>::max();

// tick x 4 / Division in 64 bits: song-pointer units of a tick.
std::int64_t dueOf(std::int32_t tick, std::int16_t Division) {
    return std::int64_t{tick} * 4 / Division;
}

} // namespace

bool isDue(std::int32_t tick, std::int16_t Division, std::int32_t LyricPos) {
    return Division > 0 && dueOf(tick, Division) <= LyricPos;
}

std::int32_t startPositionOf(std::int32_t tick, std::int16_t Division) {
    if (Division <= 0)
        return 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        dueOf(tick, Division), 0, std::numeric_limits<std::int32_t>::max()));
}

std::int16_t offsetValue(std::string_view text) {
    try {
        return platform::textToInt16(text);
    } catch (const platform::RuntimeError&) {
        return 0;
    }
}

std::string offsetAfterUp(std::string_view text) {
    const int offset = offsetValue(text);
    return platform::integerText(std::clamp(offset + 1, 0, int{LargestOffset}));
}

std::string offsetAfterDown(std::string_view text) {
    const int offset = offsetValue(text);
    if (offset <= 0)
        return std::string(text);
    return platform::integerText(offset - 1);
}

std::int16_t nextTempo(const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t LyricPos,
                       std::int16_t Division) {
    if (CurTempo < Tempos.upper() && isDue(Tempos[CurTempo + 1].Tick, Division, LyricPos))
        return platform::add16(CurTempo, 1);
    return CurTempo;
}

std::int16_t tempoAt(const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t tick) {
    int k = CurTempo;
    while (Tempos[k].Tick < tick && k < Tempos.upper())
        ++k;
    while (Tempos[k].Tick > tick && k > Tempos.lower())
        --k;
    return platform::toInt16(k);
}

std::int16_t rowOfSyllable(const song::LyricArray& Lyrics, std::int16_t index) {
    int count = 0;
    for (int i = Lyrics.lower(); i <= index; ++i)
        if (Lyrics[i].Kind != song::KindContinue)
            ++count;
    return platform::toInt16(count);
}

} // namespace player
