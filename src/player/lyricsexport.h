#pragma once

// The lyrics as a plain text file: one text line per line of the song, an empty line before
// each paragraph, the song's own bytes, lines ending in CR LF and no line end after the last.

#include "display/rows.h"
#include "song/songmodel.h"

#include <string>

namespace player {

// What the save dialog offers.
inline constexpr const char* ExportFilter = "Text (*.txt)|*.txt";

// The text of the rows: a paragraph's first row after two line ends, a line's first row after
// one, a continuation row joined to the text before it (its trailing spaces dropped) with one
// space. Row kinds other than 1 and 2 count as continuations.
std::string ExportText(const display::RowArray& Rows);

// One row for each display line, as a pane wide enough for every line would hold them.
display::RowArray rowsOfLines(const song::LineArray& Lines);

// Writes the text of the rows to a file, replacing it whole or not at all (see
// platform::writeFileAtomically for the errors).
void ExportLyrics(const display::RowArray& Rows, const std::string& path);

} // namespace player
