#pragma once

// The text rules that row wrapping and the stopped view share: trimming, the fit test, cutting a
// text that does not fit at a space, and finding the syllable at which a cut-off piece begins.

#include "platform/canvas.h"
#include "song/songmodel.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace display {

std::string_view trimSpaces(std::string_view text);
std::string_view trimLeadingSpaces(std::string_view text);
std::string_view trimTrailingSpaces(std::string_view text);

// Whether the text is no wider than `rowWidth`.
bool fits(const platform::Canvas& pane, std::string_view text, double rowWidth);

struct SplitText {
    std::string head; // keeps the space it was cut at
    std::string tail; // without leading spaces
};

// Cuts a text that does not fit after the last space that still fits; a first word wider than
// the row is cut after its own space, a text without a space after its first character is not
// cut at all (everything goes to the head). Texts longer than 32767 characters are error 6.
SplitText splitAtSpace(const platform::Canvas& pane, std::string_view text, double rowWidth);

// The texts of the syllables first..last of a line joined, and for each syllable k the joined
// text from k on, trimmed: a piece cut off the end of the line begins at the first syllable
// whose trimmed rest occurs in the piece.
class SyllableSuffixes {
public:
    SyllableSuffixes(const song::LyricArray& Lyrics, int first, int last);

    const std::string& joined() const { return m_joined; }

    // The first syllable whose trimmed rest occurs in `piece`, or 0 when none does. A rest of
    // nothing but spaces (the trailing sentinel's) never counts: no row begins with it. `piece`
    // must be an end of joined(), trailing spaces aside: the rests are ends of it too, so the
    // test is a comparison of lengths.
    int firstWithin(std::string_view piece) const;
    // The same for any text, by substring search.
    int firstOccurringIn(std::string_view text) const;

private:
    int m_first;
    std::string m_joined;
    std::vector<std::size_t> m_offsets;       // where each syllable starts in m_joined
    std::vector<std::size_t> m_trimmedLength; // length of each trimmed rest, never increasing
};

} // namespace display
