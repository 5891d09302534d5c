#include "display/pagerules.h"

#include "platform/numeric.h"
#include "song/songmodel.h"

#include <algorithm>
#include <cmath>

namespace display {

double lineHeight(const platform::Canvas& pane) {
    return pane.textHeight("");
}

std::string ComposePageText(const platform::Canvas& pane, const RowArray& Rows, std::int16_t R,
                            const options::Options& Options) {
    const int numLines = Options.NumLines;
    const bool automatic = numLines == options::AutomaticLines;
    std::string text = Indent + Rows[R].Text;
    int count = 1;
    for (int i = R + 1; i <= Rows.upper(); ++i) {
        if (!automatic && count == numLines)
            break;
        text += '\r';
        if (Rows[i].Kind == song::KindNewParagraph && (automatic || numLines > 2)) {
            text += '\r';
            ++count;
            if (count == numLines)
                break;
        }
        text.append(Indent).append(Rows[i].Text);
        ++count;
        if (pane.textHeight(text) > pane.scaleHeight())
            break;
    }
    return text;
}

std::int32_t PageTop(const platform::Canvas& pane, const options::Options& Options) {
    using platform::roundToInt32;
    const double lineBand = lineHeight(pane);
    if (Options.NumLines == options::AutomaticLines)
        return roundToInt32(lineBand);
    // A stored line count below 1 is taken as one line.
    const auto returns = static_cast<std::size_t>(std::max(Options.NumLines - 1, 0));
    const double block = pane.textHeight(std::string(returns, '\r'));
    std::int32_t top = 0;
    switch (Options.VertJust) {
    case 1:
        top = platform::divTrunc32(roundToInt32(pane.scaleHeight() - block), 2);
        break;
    case 2:
        top = roundToInt32(pane.scaleHeight() - block);
        break;
    default:
        top = roundToInt32(lineBand);
        break;
    }
    if (top < lineBand)
        top = roundToInt32(lineBand);
    return top;
}

void RestoreBackdropRect(platform::Canvas& pane, const platform::Picture& picture, std::int32_t x,
                         std::int32_t y, std::int32_t w, std::int32_t h) {
    const double pictureWidth = pane.himetricToPixelsX(picture.Width());
    const double pictureHeight = pane.himetricToPixelsY(picture.Height());
    if (!(std::floor(pictureWidth) > x && std::floor(pictureHeight) > y))
        return;
    if (std::floor(pictureWidth) < double(x) + w)
        w = platform::roundToInt16(pictureWidth - x);
    if (std::floor(pictureHeight) < double(y) + h)
        h = platform::roundToInt16(pictureHeight - y);
    pane.paintPicture(picture, x, y, double(w) + 1, double(h) + 1);
}

void RestoreBackdropRect(platform::Canvas& pane, const platform::Picture& picture,
                         const BallState& ball) {
    using platform::add16;
    using platform::sub16;
    const std::int16_t left = sub16(ball.BallX, ball.Radius);
    const std::int16_t top = sub16(ball.BallY, ball.Radius);
    const std::int16_t side = add16(platform::mul16(2, ball.Radius), 1);
    const double pictureWidth = pane.himetricToPixelsX(picture.Width());
    const double pictureHeight = pane.himetricToPixelsY(picture.Height());
    if (!(std::floor(pictureWidth) > left && std::floor(pictureHeight) > top))
        return;
    double width = side;
    if (std::floor(pictureWidth) < left + side - 1)
        width = platform::roundToInt16(pictureWidth - left + 1);
    double height = side;
    if (std::floor(pictureHeight) < top + side - 1)
        height = platform::roundToInt16(pictureHeight - top + 1);
    pane.paintPicture(picture, left, top, width, height);
}

const platform::Picture* backdropAt(const platform::PictureArray& Backdrops,
                                    std::int16_t BackdropIndex) {
    if (BackdropIndex < Backdrops.lower() || BackdropIndex > Backdrops.upper())
        return nullptr;
    return Backdrops[BackdropIndex].get();
}

} // namespace display
