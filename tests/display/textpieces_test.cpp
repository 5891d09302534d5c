#include "display/textpieces.h"
#include "support/recordingcanvas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace display;

namespace {

// Letters of very different widths, so that an average width says little about a row.
class UnevenCanvas : public testsupport::RecordingCanvas {
public:
    double textWidth(std::string_view text) const override {
        double sum = 0;
        for (const char c : text)
            sum += c == 'W' ? 30 : c == 'i' ? 3 : 8;
        return sum;
    }
};

// The cut as the rule states it: try the ends after each space from the left until one does
// not fit.
SplitText splitOneByOne(const platform::Canvas& pane, const std::string& s, double rowWidth) {
    std::size_t p = 1;
    for (;;) {
        const std::size_t q = p;
        const std::size_t space = s.find(' ', q);
        if (space == std::string::npos) {
            if (q == 1)
                return {s, ""};
            p = s.size();
        } else {
            p = space + 1;
        }
        if (pane.textWidth(s.substr(0, p)) > rowWidth) {
            const std::size_t cut = q == 1 ? p : q;
            return {s.substr(0, cut), std::string(trimLeadingSpaces(s.substr(cut - 1)))};
        }
        if (space == std::string::npos)
            return {s, ""};
    }
}

} // namespace

TEST(SplitAtSpace, CutsWhereTryingEveryEndFromTheLeftWouldCut) {
    const UnevenCanvas pane;
    std::mt19937 random(7);
    const std::string letters = "WWiiiaab   ";
    for (int round = 0; round < 1000; ++round) {
        std::string text(std::uniform_int_distribution<std::size_t>(1, 70)(random), ' ');
        for (char& c : text)
            c = letters[std::uniform_int_distribution<std::size_t>(0, letters.size() - 1)(random)];
        const double rowWidth = std::uniform_int_distribution<int>(-20, 400)(random);
        const SplitText expected = splitOneByOne(pane, text, rowWidth);
        const SplitText actual = splitAtSpace(pane, text, rowWidth);
        ASSERT_EQ(actual.head, expected.head) << '"' << text << "\" in " << rowWidth;
        ASSERT_EQ(actual.tail, expected.tail) << '"' << text << "\" in " << rowWidth;
    }
}
