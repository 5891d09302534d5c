#include "song/linebuilder.h"

#include "platform/numeric.h"

namespace song {

namespace {

void trimSpaces(std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
}

} // namespace

void BuildLines(const LyricArray& Lyrics, LineArray& Lines) {
    Lines = makeLineArray();
    for (int i = 1; i <= Lyrics.upper(); ++i) {
        const LyricEvent& event = Lyrics[i];
        if (event.Kind == KindNewParagraph || event.Kind == KindNewLine) {
            platform::toInt16(Lines.count() + 1); // line numbers are 16-bit
            Lines.append({event.Text, event.Kind});
        } else {
            Lines[Lines.upper()].Text += event.Text;
        }
    }
    for (DisplayLine& line : Lines)
        trimSpaces(line.Text);
}

} // namespace song
