#include "display/rowwrapper.h"

#include "display/textpieces.h"
#include "platform/numeric.h"

#include <string>
#include <utility>

namespace display {

using song::KindContinue;
using song::KindWrap;

std::int16_t RowWidth(const platform::Canvas& pane) {
    return platform::roundToInt16(pane.scaleWidth() - 2 * pane.textWidth(Indent));
}

namespace {

class RowTable {
public:
    explicit RowTable(RowArray& rows) : m_rows(rows) { m_rows = makeRowArray(); }
    void add(std::string text, std::int16_t kind) {
        platform::toInt16(m_rows.count() + 1);
        m_rows.append({std::move(text), kind});
    }

private:
    RowArray& m_rows;
};

// Marks the syllable at which `rest`, the part of the line still to be placed, begins.
void markWrap(song::LyricArray& Lyrics, const SyllableSuffixes& suffixes, bool lineMatchesSyllables,
              std::string_view rest) {
    const int k =
        lineMatchesSyllables ? suffixes.firstWithin(rest) : suffixes.firstOccurringIn(rest);
    if (k != 0)
        Lyrics[k].Kind = KindWrap;
}

// Places one display line that is too wide in a first row and continuation rows.
void wrapLine(const platform::Canvas& pane, double rowWidth, song::LyricArray& Lyrics,
              const song::DisplayLine& line, int first, int last, RowTable& rows) {
    SplitText split = splitAtSpace(pane, line.Text, rowWidth);
    rows.add(std::move(split.head), line.Kind);
    std::string rest = std::move(split.tail);

    const SyllableSuffixes suffixes(Lyrics, first, last);
    // A line that is not its syllables joined (a caller's own table) is searched the long way.
    const bool lineMatchesSyllables = trimSpaces(suffixes.joined()) == line.Text;
    for (;;) {
        markWrap(Lyrics, suffixes, lineMatchesSyllables, rest);
        if (rest.empty())
            return;
        if (fits(pane, rest, rowWidth)) {
            rows.add(std::move(rest), KindWrap);
            return;
        }
        split = splitAtSpace(pane, rest, rowWidth);
        rows.add(std::move(split.head), KindWrap);
        rest = std::move(split.tail);
    }
}

std::int16_t rowOfPosition(const song::LyricArray& Lyrics, std::int16_t Position) {
    if (Position == 0)
        return 0;
    int count = 0;
    for (int i = 0; i <= Position; ++i)
        if (Lyrics[i].Kind != KindContinue)
            ++count;
    if (Lyrics[Position].Kind != KindContinue)
        --count;
    return platform::toInt16(count);
}

} // namespace

void WrapRows(const platform::Canvas& pane, song::LyricArray& Lyrics, const song::LineArray& Lines,
              RowArray& Rows, std::int16_t& CurRow, std::int16_t Position) {
    const double rowWidth = RowWidth(pane);
    const int upper = Lyrics.upper();
    for (int i = 1; i <= upper; ++i)
        if (Lyrics[i].Kind == KindWrap)
            Lyrics[i].Kind = KindContinue;

    int first = 1;
    int last = 1;
    const auto extendLine = [&] {
        while (last < upper && Lyrics[last + 1].Kind == KindContinue)
            ++last;
    };
    extendLine();

    RowTable rows(Rows);
    for (int i = Lines.lower(); i <= Lines.upper(); ++i) {
        const song::DisplayLine& line = Lines[i];
        if (fits(pane, line.Text, rowWidth))
            rows.add(line.Text, line.Kind);
        else
            wrapLine(pane, rowWidth, Lyrics, line, first, last, rows);
        first = ++last;
        extendLine();
    }
    CurRow = 0;
    CurRow = rowOfPosition(Lyrics, Position);
}

} // namespace display
