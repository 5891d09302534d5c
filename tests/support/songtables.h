#pragma once

#include "song/linebuilder.h"
#include "song/songmodel.h"

#include <initializer_list>

namespace testsupport {

// The syllable table of a song as the reader leaves it: the lead-in sentinel, the given
// syllables, and the trailing sentinel one quarter note after the last.
inline song::LyricArray makeLyrics(std::initializer_list<song::LyricEvent> syllables,
                                   std::int32_t division = 480) {
    song::LyricArray lyrics = song::makeLyricArray();
    lyrics.append({song::SentinelText, song::KindContinue, 0});
    for (const song::LyricEvent& syllable : syllables)
        lyrics.append(syllable);
    lyrics.append({song::SentinelText, song::KindContinue, lyrics[lyrics.upper()].Tick + division});
    return lyrics;
}

inline song::LineArray makeLines(const song::LyricArray& lyrics) {
    song::LineArray lines = song::makeLineArray();
    song::BuildLines(lyrics, lines);
    return lines;
}

inline song::TempoArray makeTempos(std::initializer_list<song::TempoChange> changes) {
    song::TempoArray tempos = song::makeTempoArray();
    for (const song::TempoChange& change : changes)
        tempos.append(change);
    return tempos;
}

} // namespace testsupport
