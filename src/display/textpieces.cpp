#include "display/textpieces.h"

#include "platform/errors.h"

#include <algorithm>

namespace display {

namespace {

// Past this many characters the fit test first measures a prefix: text only grows wider as
// characters are added, so a prefix that does not fit settles it without measuring a whole
// song held in one line again and again.
constexpr std::size_t MeasuredPrefix = 256;

constexpr std::size_t MaxTextLength = 32767;

} // namespace

std::string_view trimLeadingSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimTrailingSpaces(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trimSpaces(std::string_view text) {
    return trimTrailingSpaces(trimLeadingSpaces(text));
}

bool fits(const platform::Canvas& pane, std::string_view text, double rowWidth) {
    if (text.size() > MeasuredPrefix && pane.textWidth(text.substr(0, MeasuredPrefix)) > rowWidth)
        return false;
    return pane.textWidth(text) <= rowWidth;
}

SplitText splitAtSpace(const platform::Canvas& pane, std::string_view text, double rowWidth) {
    if (text.size() > MaxTextLength)
        platform::raiseError(platform::err::Overflow);
    // Positions count from 1, as in "the first p characters".
    std::size_t p = 1;
    for (;;) {
        const std::size_t q = p;
        const std::size_t space = text.find(' ', q);
        if (space == std::string_view::npos) {
            if (q == 1)
                return {std::string(text), std::string()};
            p = text.size();
        } else {
            p = space + 1;
        }
        if (!fits(pane, text.substr(0, p), rowWidth)) {
            const std::size_t cut = q == 1 ? p : q;
            return {std::string(text.substr(0, cut)),
                    std::string(trimLeadingSpaces(text.substr(cut - 1)))};
        }
        if (space == std::string_view::npos) // the whole text fits after all
            return {std::string(text), std::string()};
    }
}

SyllableSuffixes::SyllableSuffixes(const song::LyricArray& Lyrics, int first, int last)
    : m_first(first) {
    for (int k = first; k <= last; ++k) {
        m_offsets.push_back(m_joined.size());
        m_joined += Lyrics[k].Text;
    }
    const auto lastLetter = m_joined.find_last_not_of(' ');
    const std::size_t end = lastLetter == std::string::npos ? 0 : lastLetter + 1;
    m_trimmedLength.assign(m_offsets.size(), 0);
    std::size_t start = end; // first letter of the rest, walking backwards
    for (std::size_t i = m_offsets.size(); i-- > 0;) {
        const std::size_t from = m_offsets[i];
        const std::size_t to = i + 1 < m_offsets.size() ? m_offsets[i + 1] : m_joined.size();
        const auto letter =
            std::string_view(m_joined).substr(from, to - from).find_first_not_of(' ');
        if (letter != std::string_view::npos)
            start = from + letter;
        m_trimmedLength[i] = start < end ? end - start : 0;
    }
}

int SyllableSuffixes::firstWithin(std::string_view piece) const {
    if (piece.empty())
        return 0;
    const std::size_t room = trimTrailingSpaces(piece).size();
    const auto found = std::partition_point(m_trimmedLength.begin(), m_trimmedLength.end(),
                                            [room](std::size_t length) { return length > room; });
    if (found == m_trimmedLength.end() || *found == 0)
        return 0;
    return m_first + static_cast<int>(found - m_trimmedLength.begin());
}

int SyllableSuffixes::firstOccurringIn(std::string_view text) const {
    if (text.empty())
        return 0;
    for (std::size_t i = 0; i < m_offsets.size(); ++i) {
        const std::string_view rest = trimSpaces(std::string_view(m_joined).substr(m_offsets[i]));
        if (!rest.empty() && text.find(rest) != std::string_view::npos)
            return m_first + static_cast<int>(i);
    }
    return 0;
}

} // namespace display
