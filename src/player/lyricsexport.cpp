#include "player/lyricsexport.h"

#include "display/textpieces.h"
#include "platform/textfile.h"

namespace player {

std::string ExportText(const display::RowArray& Rows) {
    std::string text;
    for (const display::Row& row : Rows) {
        if (row.Kind == song::KindNewParagraph) {
            text.append("\r\n\r\n");
        } else if (row.Kind == song::KindNewLine) {
            text.append("\r\n");
        } else {
            text.erase(display::trimTrailingSpaces(text).size());
            text.push_back(' ');
        }
        text.append(row.Text);
    }
    return text;
}

display::RowArray rowsOfLines(const song::LineArray& Lines) {
    display::RowArray rows = display::makeRowArray();
    rows.reserve(static_cast<std::size_t>(Lines.count()));
    for (const song::DisplayLine& line : Lines)
        rows.append({line.Text, line.Kind});
    return rows;
}

void ExportLyrics(const display::RowArray& Rows, const std::string& path) {
    platform::writeFileAtomically(path, ExportText(Rows));
}

} // namespace player
