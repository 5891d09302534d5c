#include "display/stilltext.h"

#include "display/textpieces.h"

#include <string_view>

namespace display {

namespace {

using song::KindContinue;
using song::KindNewLine;
using song::KindNewParagraph;
using song::KindWrap;

constexpr std::string_view LineBreak = "\r\n";

bool opensLine(std::int16_t kind) {
    return kind == KindNewLine || kind == KindNewParagraph;
}

// The current line from the row that holds the current syllable: cut the line into rows as the
// pane does and drop each head that holds only syllables already sung.
std::string currentLineText(const platform::Canvas& pane, const song::LyricArray& Lyrics,
                            int position) {
    int first = position;
    while (Lyrics[first].Kind == KindContinue || Lyrics[first].Kind == KindWrap)
        --first;
    const int upper = Lyrics.upper();
    int last = position;
    for (;;) {
        ++last;
        if (last >= upper) {
            last = upper;
            break;
        }
        if (opensLine(Lyrics[last].Kind))
            break;
    }
    --last;

    const double rowWidth = RowWidth(pane);
    const SyllableSuffixes suffixes(Lyrics, first, last);
    std::string rest = suffixes.joined();
    if (fits(pane, rest, rowWidth))
        return std::string(trimSpaces(rest));
    for (;;) {
        SplitText split = splitAtSpace(pane, rest, rowWidth);
        std::string text(trimSpaces(split.head));
        rest = std::move(split.tail);
        const int wrapAt = suffixes.firstWithin(rest);
        if (wrapAt > position) // the current syllable is in the head
            return text.append(LineBreak).append(trimSpaces(rest));
        if (rest.empty())
            return text;
        if (fits(pane, rest, rowWidth))
            return std::string(trimSpaces(rest));
    }
}

void appendContinuation(std::string& text, const Row& row) {
    text.erase(trimTrailingSpaces(text).size());
    text.append(" ").append(row.Text);
}

} // namespace

void ComposeStillText(const platform::Canvas& pane, const song::LyricArray& Lyrics,
                      std::int16_t Position, const RowArray& Rows, std::int16_t rowIndex,
                      std::string& PageText, const options::Options& Options) {
    const int numLines = Options.NumLines;
    const bool automatic = numLines == options::AutomaticLines;
    PageText = currentLineText(pane, Lyrics, Position == 0 ? 1 : Position);

    int k = rowIndex == 0 ? 1 : rowIndex;
    do
        ++k;
    while (k <= Rows.upper() && Rows[k].Kind == KindWrap);

    int lines = 1;
    while (k <= Rows.upper()) {
        if (!automatic && lines == numLines) {
            for (; k <= Rows.upper() && Rows[k].Kind == KindWrap; ++k)
                appendContinuation(PageText, Rows[k]);
            return;
        }
        const Row& row = Rows[k];
        if (row.Kind == KindNewParagraph && (automatic || numLines > 2)) {
            PageText.append(LineBreak);
            ++lines;
            if (!automatic && lines == numLines)
                return;
            PageText.append(LineBreak).append(row.Text);
            ++lines;
        } else if (opensLine(row.Kind)) {
            PageText.append(LineBreak).append(row.Text);
            ++lines;
        } else if (row.Kind == KindWrap) {
            appendContinuation(PageText, row);
        }
        ++k;
        if (!(pane.textHeight(PageText) < pane.scaleHeight()))
            return;
    }
}

} // namespace display
