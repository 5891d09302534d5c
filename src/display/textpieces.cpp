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

namespace {

// The first of the candidate ends whose prefix does not fit (ends.size() when all fit). The
// prefixes only grow wider from end to end, so rather than trying them one by one from the
// start, the search begins where the average width of a character says the row is full.
std::size_t firstEndTooWide(const platform::Canvas& pane, std::string_view text,
                            const std::vector<std::size_t>& ends, double rowWidth) {
    const auto fitsUpTo = [&](std::size_t j) {
        return fits(pane, text.substr(0, ends[j]), rowWidth);
    };
    const std::size_t count = ends.size();
    // The fit test has measured this much already.
    const std::string_view sample = text.substr(0, std::min(text.size(), MeasuredPrefix));
    const double averageWidth = pane.textWidth(sample) / static_cast<double>(sample.size());
    std::size_t guess = 0;
    if (averageWidth > 0 && rowWidth > 0) {
        const double characters = rowWidth / averageWidth;
        while (guess + 1 < count && static_cast<double>(ends[guess + 1]) <= characters)
            ++guess;
    }

    std::size_t low = 0;      // every end before it fits
    std::size_t high = count; // no end from it on fits
    if (fitsUpTo(guess)) {
        low = guess + 1;
        for (std::size_t step = 1; low + step - 1 < high; step *= 2) {
            const std::size_t probe = low + step - 1;
            if (!fitsUpTo(probe)) {
                high = probe;
                break;
            }
            low = probe + 1;
        }
    } else {
        high = guess;
        for (std::size_t step = 1; high > low; step *= 2) {
            const std::size_t probe = high - std::min(step, high - low);
            if (fitsUpTo(probe)) {
                low = probe + 1;
                break;
            }
            high = probe;
        }
    }
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (fitsUpTo(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

SplitText splitAtSpace(const platform::Canvas& pane, std::string_view text, double rowWidth) {
    if (text.size() > MaxTextLength)
        platform::raiseError(platform::err::Overflow);
    // A row may end after any space but a leading one, or at the end of the text.
    std::vector<std::size_t> ends;
    for (auto space = text.find(' ', 1); space != std::string_view::npos;
         space = text.find(' ', space + 1))
        ends.push_back(space + 1);
    if (ends.empty())
        return {std::string(text), std::string()};
    ends.push_back(text.size());

    const std::size_t tooWide = firstEndTooWide(pane, text, ends, rowWidth);
    if (tooWide == ends.size()) // the whole text fits after all
        return {std::string(text), std::string()};
    // The last end that fits; when not even the first word fits, the first word alone.
    const std::size_t cut = ends[tooWide == 0 ? 0 : tooWide - 1];
    return {std::string(text.substr(0, cut)), std::string(trimLeadingSpaces(text.substr(cut - 1)))};
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
