#pragma once

#include "song/songmodel.h"

namespace song {

// Joins the syllables into display lines, one per run that opens with a new-line or
// new-paragraph event, trimmed of spaces at both ends. Lines is rebuilt as 1..L. Element 1 of
// Lyrics must open a line (the reader guarantees it); wrap marks count as continuations.
void BuildLines(const LyricArray& Lyrics, LineArray& Lines);

} // namespace song
