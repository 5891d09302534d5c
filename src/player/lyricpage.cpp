#include "player/lyricpage.h"

#include "display/pagerules.h"
#include "display/textpieces.h"
#include "platform/numeric.h"

#include <string_view>

namespace player {

namespace {

using platform::roundToInt16;
using song::KindContinue;

double indentWidth(const platform::Canvas& pane) {
    return pane.textWidth(display::Indent);
}

// A syllable that opens a row is drawn without its leading spaces, flush with the indent.
std::string_view shownText(const song::LyricEvent& syllable) {
    if (syllable.Kind == KindContinue)
        return syllable.Text;
    return display::trimLeadingSpaces(syllable.Text);
}

// Boxes a text at (x, top) in the highlight colour and prints it over the box; the current x
// ends at the box's right edge.
void boxText(platform::Canvas& pane, const options::Options& Options, std::int32_t x,
             std::int32_t top, std::string_view text, double width, double height) {
    pane.setFillColor(Options.HighColor);
    pane.fillBox(x, top, x + width, top + height, Options.HighColor);
    const std::int16_t rightEdge = roundToInt16(pane.currentX());
    pane.setCurrentX(x);
    pane.setCurrentY(top);
    pane.print(text);
    pane.setCurrentX(rightEdge);
}

} // namespace

void DrawNewRow(const PageScene& scene, std::int16_t CurLyric, std::int16_t& CurRow,
                std::string& PageText, display::BallState& ball, std::int32_t top) {
    platform::Canvas& pane = scene.pane;
    const song::LyricEvent& syllable = scene.Lyrics[CurLyric];
    const std::string_view text = display::trimLeadingSpaces(syllable.Text);
    const double indent = indentWidth(pane);
    const double width = pane.textWidth(text);
    ball.HopX = roundToInt16(indent + width * 0.5);

    CurRow = platform::add16(CurRow, 1);
    PageText = display::ComposePageText(pane, scene.Rows, CurRow, scene.Options);
    pane.cls();
    pane.setCurrentX(0);
    pane.setCurrentY(top);
    pane.print(PageText);

    boxText(pane, scene.Options, roundToInt16(indent), top, text, width,
            pane.textHeight(syllable.Text));
}

void MoveHighlight(const PageScene& scene, std::int16_t CurLyric, display::BallState& ball,
                   std::int32_t top) {
    platform::Canvas& pane = scene.pane;
    const options::Options& Options = scene.Options;
    const song::LyricEvent& syllable = scene.Lyrics[CurLyric];
    const song::LyricEvent& previous = scene.Lyrics[CurLyric - 1];

    const std::int16_t previousHeight = roundToInt16(pane.textHeight(previous.Text));
    std::int16_t previousX = 0;
    std::int16_t previousWidth = 0;
    if (previous.Kind != KindContinue) {
        previousX = roundToInt16(indentWidth(pane));
        previousWidth = roundToInt16(pane.textWidth(shownText(previous)));
    } else {
        previousX = roundToInt16(pane.currentX() - pane.textWidth(previous.Text));
        previousWidth = roundToInt16(pane.textWidth(previous.Text));
    }
    const double width = pane.textWidth(syllable.Text);
    ball.HopX = roundToInt16(ball.HopX + (previousWidth + width) * 0.5);

    pane.setFillColor(Options.BackColor);
    pane.fillBox(previousX, top, previousX + previousWidth, top + previousHeight,
                 Options.BackColor);
    const std::int16_t syllableX = roundToInt16(pane.currentX());
    if (Options.Bitmap && scene.backdrop)
        display::RestoreBackdropRect(pane, *scene.backdrop, previousX, top, previousWidth,
                                     previousHeight);
    pane.setCurrentX(previousX);
    pane.setCurrentY(top);
    pane.print(shownText(previous));

    if (CurLyric != scene.Lyrics.upper())
        boxText(pane, Options, syllableX, top, syllable.Text, width,
                pane.textHeight(syllable.Text));
}

void EraseBall(const PageScene& scene, const display::BallState& ball) {
    const options::Options& Options = scene.Options;
    if (!Options.Ball)
        return;
    scene.pane.setFillColor(Options.BackColor);
    scene.pane.fillCircle(ball.BallX, ball.BallY, ball.Radius, Options.BackColor);
    if (Options.Bitmap && scene.backdrop)
        display::RestoreBackdropRect(scene.pane, *scene.backdrop, ball);
}

std::int32_t PrintPage(const PageScene& scene, std::int16_t row, std::string& PageText) {
    platform::Canvas& pane = scene.pane;
    PageText = display::ComposePageText(pane, scene.Rows, row, scene.Options);
    const std::int32_t top = display::PageTop(pane, scene.Options);
    pane.setCurrentX(0);
    pane.setCurrentY(top);
    pane.print(PageText);
    return top;
}

void HighlightSyllable(const PageScene& scene, std::int16_t index, std::int32_t top,
                       display::BallState& ball) {
    platform::Canvas& pane = scene.pane;
    const song::LyricArray& Lyrics = scene.Lyrics;
    std::int16_t x = roundToInt16(indentWidth(pane));
    for (int j = index; Lyrics[j].Kind == KindContinue;) {
        --j;
        x = roundToInt16(x + pane.textWidth(shownText(Lyrics[j])));
    }
    const song::LyricEvent& syllable = Lyrics[index];
    const std::string_view text = shownText(syllable);
    const double width = pane.textWidth(text);
    ball.HopX = roundToInt16(x + width * 0.5);
    ball.BallY = platform::toInt16(std::int64_t{top} - ball.Radius - 1);
    boxText(pane, scene.Options, x, top, text, width, pane.textHeight(syllable.Text));
}

void RestBall(const platform::Canvas& pane, display::BallState& ball) {
    ball.HopX = roundToInt16(indentWidth(pane) * 0.5);
    ball.BallX = ball.HopX;
    ball.BallY = roundToInt16(display::lineHeight(pane) - ball.Radius);
}

display::BallState BallAtRest(const platform::Canvas& pane) {
    display::BallState ball;
    ball.Radius = roundToInt16(pane.textWidth("A") / 2);
    RestBall(pane, ball);
    ball.HopStart = 0;
    return ball;
}

} // namespace player
