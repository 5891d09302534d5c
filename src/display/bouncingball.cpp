#include "display/bouncingball.h"

#include "display/pagerules.h"
#include "platform/errors.h"
#include "platform/numeric.h"
#include "song/duepos.h"

#include <cmath>

namespace display {

namespace {

using platform::roundToInt16;
using platform::roundToInt32;

double quotient(double dividend, double divisor) {
    if (divisor == 0.0)
        platform::raiseError(platform::err::DivisionByZero);
    return dividend / divisor;
}

// Milliseconds per quarter note under tempo entry k.
double beat(const song::TempoArray& Tempos, int k) {
    return Tempos[k].Tempo / 1000.0;
}

// The length of a hop through the tempo map, and how much of it playback had passed at the
// last tempo change it went through (the waiting bounces count their beats from there).
struct Hop {
    std::int32_t ms = 0; // the whole hop
    float quarters = 0;  // the whole hop in quarter notes
    std::int32_t savedMs = 0;
    float savedQuarters = 0;
    int savedTempo = 0;
    int endTempo = 0; // the tempo in force at the syllable the ball flies to
};

// Quarter notes are kept in single precision, as the hop's phase has always been computed.
float addQuarters(float sum, std::int32_t ticks, std::int16_t Division) {
    return static_cast<float>(double(sum) + quotient(ticks, Division));
}

std::int32_t addMs(std::int32_t sum, std::int32_t ticks, std::int16_t Division, double beatMs) {
    return roundToInt32(sum + quotient(ticks, Division) * beatMs);
}

Hop measureHop(const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t prev,
               std::int32_t cur, std::int32_t LyricPos, std::int16_t Division) {
    using platform::sub32;
    const int lastTempo = Tempos.upper();
    int k = CurTempo;
    while (Tempos[k].Tick < prev && k < lastTempo)
        ++k;
    while (Tempos[k].Tick > prev && k > 1)
        --k;
    Hop hop;
    hop.savedTempo = k;
    if (k == lastTempo || cur <= Tempos[k + 1].Tick) {
        hop.ms = addMs(0, sub32(cur, prev), Division, beat(Tempos, k));
        hop.quarters = addQuarters(0, sub32(cur, prev), Division);
        hop.endTempo = k;
        return hop;
    }
    do {
        const std::int32_t from = Tempos[k].Tick > prev ? Tempos[k].Tick : prev;
        const std::int32_t next = Tempos[k + 1].Tick;
        hop.ms = addMs(hop.ms, sub32(next, from), Division, beat(Tempos, k));
        hop.quarters = addQuarters(hop.quarters, sub32(next, from), Division);
        if (quotient(double(next) * 4, Division) <= LyricPos) {
            hop.savedMs = hop.ms;
            hop.savedQuarters = hop.quarters;
            hop.savedTempo = k + 1;
        }
        ++k;
    } while (k != lastTempo && cur > Tempos[k + 1].Tick);
    hop.ms = addMs(hop.ms, sub32(cur, Tempos[k].Tick), Division, beat(Tempos, k));
    hop.quarters = addQuarters(hop.quarters, sub32(cur, Tempos[k].Tick), Division);
    hop.endTempo = k;
    return hop;
}

struct Flight {
    double phase = 0;        // 0 on leaving a syllable or bouncing off it, 1 on landing
    bool travelling = false; // moving on to the next syllable rather than bouncing in place
};

// A hop of less than two quarter notes is one arc; a longer one bounces once a beat over the
// syllable just sung and makes its arc over the last one-and-a-fraction quarter notes.
Flight flightAt(const Hop& hop, const song::TempoArray& Tempos, std::int32_t elapsed) {
    if (std::floor(hop.quarters) <= 1)
        return {std::min(quotient(elapsed, hop.ms), 1.0), true};
    const float whole = std::floor(hop.quarters - 1.0f);
    const double finalMs = double(hop.quarters - whole) * beat(Tempos, hop.endTempo);
    if (finalMs >= double(hop.ms) - elapsed) {
        const std::int32_t t = roundToInt32(elapsed - (hop.ms - finalMs));
        return {std::min(quotient(t, finalMs), 1.0), true};
    }
    const double savedBeat = beat(Tempos, hop.savedTempo);
    const double sinceChange = double(hop.savedQuarters) - std::floor(hop.savedQuarters);
    const std::int32_t t = roundToInt32(double(elapsed) - hop.savedMs + sinceChange * savedBeat);
    const double beats = quotient(t, savedBeat);
    return {beats - std::floor(beats), false};
}

// Puts the pane's current position back, rounded, however the step ends.
class CursorKeeper {
public:
    explicit CursorKeeper(platform::Canvas& pane)
        : m_pane(pane), m_x(roundToInt16(pane.currentX())), m_y(roundToInt16(pane.currentY())) {}
    ~CursorKeeper() {
        m_pane.setCurrentX(m_x);
        m_pane.setCurrentY(m_y);
    }
    CursorKeeper(const CursorKeeper&) = delete;
    CursorKeeper& operator=(const CursorKeeper&) = delete;

private:
    platform::Canvas& m_pane;
    std::int16_t m_x;
    std::int16_t m_y;
};

} // namespace

void AnimateBall(platform::Canvas& pane, const platform::Clock& clock, BallState& ball,
                 const song::LyricArray& Lyrics, std::int16_t CurLyric,
                 const song::TempoArray& Tempos, std::int16_t CurTempo, std::int32_t LyricPos,
                 std::int16_t Division, const options::Options& Options,
                 const platform::PictureArray& Backdrops, std::int16_t BackdropIndex) {
    if (CurLyric > Lyrics.upper())
        return;
    const song::LyricEvent& target = Lyrics[CurLyric];
    if (LyricPos > song::DuePos(target.Tick, Division))
        return;
    const CursorKeeper cursor(pane);

    pane.setFillColor(Options.BackColor);
    pane.fillCircle(ball.BallX, ball.BallY, ball.Radius, Options.BackColor);
    if (Options.Bitmap)
        if (const platform::Picture* backdrop = backdropAt(Backdrops, BackdropIndex))
            RestoreBackdropRect(pane, *backdrop, ball);

    const song::LyricEvent& source = Lyrics[CurLyric - 1];
    const std::int32_t elapsed = platform::elapsedMilliseconds(ball.HopStart, clock.milliseconds());
    const Hop hop = measureHop(Tempos, CurTempo, source.Tick, target.Tick, LyricPos, Division);
    if (hop.ms <= 0)
        return; // two syllables at once: no flight to show

    const Flight flight = flightAt(hop, Tempos, elapsed);
    if (flight.travelling) {
        const double width = pane.textWidth(source.Text + target.Text);
        ball.BallX = roundToInt16(ball.HopX + flight.phase * 0.5 * width);
    } else {
        ball.BallX = ball.HopX;
    }

    const std::int32_t top = PageTop(pane, Options);
    const double lineBand = lineHeight(pane);
    const double pi = 4 * std::atan(1.0);
    ball.BallY = roundToInt16((top - ball.Radius) -
                              (lineBand - 2.0 * ball.Radius) * std::sin(flight.phase * pi));
    if (ball.BallY + ball.Radius >= top) // keep the ball clear of the row
        ball.BallY = platform::toInt16(std::int64_t{top} - ball.Radius - 1);
    pane.setFillColor(Options.BallColor);
    pane.fillCircle(ball.BallX, ball.BallY, ball.Radius, Options.BallColor);
}

} // namespace display
