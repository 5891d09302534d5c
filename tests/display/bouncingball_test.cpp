#include "display/bouncingball.h"
#include "platform/errors.h"
#include "support/fakeclock.h"
#include "support/recordingcanvas.h"
#include "support/songtables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace display;
using testsupport::FakeClock;
using testsupport::FakePicture;
using testsupport::makeLyrics;
using testsupport::makeTempos;
using testsupport::RecordingCanvas;

namespace {

constexpr platform::Color Ball = 255;
constexpr platform::Color Back = 0xFFFFFF;
constexpr std::int16_t HopX = 52;

// Lines are 16 pixels and the ball's band is one line: with automatic lines the row being sung
// starts at y = 16, and the ball (radius 4) flies between y = 11 (resting just above the row)
// and y = 4 (its top at 0).
struct BallScene {
    song::LyricArray lyrics = makeLyrics({{"Hel", 2, 0},       // a short hop of half a beat
                                          {"lo", 0, 240},      // then four beats
                                          {" world", 0, 2160}, // and two syllables at once
                                          {" again", 0, 2160}});
    song::TempoArray tempos = makeTempos({{500000, 0}}); // 500 ms a beat
    std::int16_t division = 480;
    options::Options options;
    platform::PictureArray backdrops = platform::makePictureArray();
    RecordingCanvas pane;
    FakeClock clock;
    BallState ball;

    BallScene() {
        options.NumLines = -1;
        options.BallColor = Ball;
        options.BackColor = Back;
        ball.Radius = 4;
        ball.HopX = HopX;
        ball.BallX = 20;
        ball.BallY = 11;
        ball.HopStart = 100000;
    }

    // One step at `elapsed` milliseconds into the hop to syllable `to`.
    void step(std::int16_t to, std::int32_t elapsed, std::int32_t lyricPos = 0,
              std::int16_t curTempo = 1) {
        clock.now = static_cast<std::int32_t>(static_cast<std::uint32_t>(ball.HopStart) +
                                              static_cast<std::uint32_t>(elapsed));
        AnimateBall(pane, clock, ball, lyrics, to, tempos, curTempo, lyricPos, division, options,
                    backdrops, 1);
    }
};

std::string circle(int x, int y, platform::Color color) {
    return "circle " + std::to_string(x) + "," + std::to_string(y) + " r4 " +
           std::to_string(color) + " fill " + std::to_string(color);
}

} // namespace

TEST(AnimateBall, AStepErasesTheOldBallAndDrawsTheNewOne) {
    BallScene scene;
    scene.step(2, 125);
    EXPECT_EQ(scene.pane.log, (std::vector<std::string>{"fill 16777215", circle(20, 11, Back),
                                                        "fill 255", circle(62, 4, Ball)}));
}

TEST(AnimateBall, AShortHopIsOneArcFromSyllableCentreToSyllableCentre) {
    // "Hello" is 40 pixels: the centres of "Hel" and "lo" are 20 pixels apart.
    const struct {
        std::int32_t elapsed;
        int x, y;
    } cases[] = {{0, 52, 11}, {125, 62, 4}, {250, 72, 11}, {400, 72, 11}};
    for (const auto& c : cases) {
        BallScene scene;
        scene.step(2, c.elapsed);
        EXPECT_EQ(scene.ball.BallX, c.x) << c.elapsed;
        EXPECT_EQ(scene.ball.BallY, c.y) << c.elapsed;
    }
}

TEST(AnimateBall, AFourBeatGapBouncesThreeTimesInPlaceThenArcs) {
    // "lo world" is 64 pixels: the next centre is 32 pixels on.
    const struct {
        std::int32_t elapsed;
        int x, y;
    } cases[] = {
        {0, 52, 11},   {250, 52, 4},   {500, 52, 11}, {750, 52, 4},   {1000, 52, 11},
        {1250, 52, 4}, {1500, 52, 11}, {1750, 68, 4}, {2000, 84, 11},
    };
    for (const auto& c : cases) {
        BallScene scene;
        scene.step(3, c.elapsed, 1);
        EXPECT_EQ(scene.ball.BallX, c.x) << c.elapsed;
        EXPECT_EQ(scene.ball.BallY, c.y) << c.elapsed;
    }
}

TEST(AnimateBall, ATempoChangeBetweenTwoSyllablesSplitsTheHopAndRestartsTheBounces) {
    // One beat at 500 ms, then three at 250 ms: 1250 ms in all, the final arc over the last 250.
    // Before playback passes the change (position 8) the bounces count from the hop's start,
    // afterwards from the change.
    const struct {
        std::int32_t elapsed;
        std::int32_t lyricPos;
        int x, y;
    } cases[] = {
        {250, 4, 52, 4},   {625, 8, 52, 4},  {750, 8, 52, 11},
        {1000, 8, 52, 11}, {1125, 8, 68, 4}, {1250, 8, 84, 11},
    };
    for (const auto& c : cases) {
        BallScene scene;
        scene.lyrics = makeLyrics({{"lo", 2, 480}, {" world", 0, 2400}});
        scene.tempos = makeTempos({{500000, 0}, {250000, 960}});
        scene.step(2, c.elapsed, c.lyricPos);
        EXPECT_EQ(scene.ball.BallX, c.x) << c.elapsed;
        EXPECT_EQ(scene.ball.BallY, c.y) << c.elapsed;
    }
}

TEST(AnimateBall, TheTempoInForceIsFoundFromAnyStartingEntry) {
    for (const std::int16_t curTempo : {std::int16_t{1}, std::int16_t{2}, std::int16_t{3}}) {
        BallScene scene;
        scene.lyrics = makeLyrics({{"lo", 2, 1440}, {" world", 0, 1680}});
        scene.tempos = makeTempos({{250000, 0}, {500000, 960}, {1000000, 4800}});
        scene.step(2, 125, 0, curTempo); // half a beat at 500 ms, half its 250 ms
        EXPECT_EQ(scene.ball.BallY, 4) << curTempo;
        EXPECT_EQ(scene.ball.BallX, 52 + 16) << curTempo;
    }
}

TEST(AnimateBall, TheBandFollowsTheRowBeingSung) {
    BallScene scene;
    scene.options.NumLines = 4;
    scene.options.VertJust = 2;
    scene.pane.height = 300; // the row at 300 - 64 = 236
    scene.step(2, 125);
    EXPECT_EQ(scene.ball.BallY, 236 - 16 + 4); // the ball's top at the band's top
}

TEST(AnimateBall, ADueSyllableOrThePastEndLeavesThePaneAlone) {
    BallScene scene;
    scene.step(2, 125, 3); // "lo" was due at position 2
    scene.step(6, 125);    // past the trailing sentinel
    EXPECT_TRUE(scene.pane.log.empty());
    EXPECT_EQ(scene.ball.BallX, 20);
}

TEST(AnimateBall, SyllablesAtTheSameTickOnlyEraseTheBall) {
    BallScene scene;
    scene.pane.x = 33.4;
    scene.pane.y = 50.6;
    scene.step(4, 125, 1);
    EXPECT_EQ(scene.pane.log, (std::vector<std::string>{"fill 16777215", circle(20, 11, Back)}));
    EXPECT_EQ(scene.pane.x, 33);
    EXPECT_EQ(scene.pane.y, 51);
}

TEST(AnimateBall, TheTextCursorComesBackRounded) {
    BallScene scene;
    scene.pane.x = 140.5;
    scene.pane.y = 16.2;
    scene.step(2, 125);
    EXPECT_EQ(scene.pane.x, 140);
    EXPECT_EQ(scene.pane.y, 16);
}

TEST(AnimateBall, TheBackgroundPictureIsRepaintedUnderTheErasedBall) {
    BallScene scene;
    scene.options.Bitmap = true;
    scene.backdrops.append(FakePicture::ofPixels(100, 50));
    scene.step(2, 125);
    EXPECT_EQ(scene.pane.log,
              (std::vector<std::string>{"fill 16777215", circle(20, 11, Back), "blit 16,7 9x9",
                                        "fill 255", circle(62, 4, Ball)}));

    BallScene withoutPicture; // the picture could not be read: nothing to repaint from
    withoutPicture.options.Bitmap = true;
    withoutPicture.backdrops.append(nullptr);
    withoutPicture.step(2, 125);
    EXPECT_EQ(withoutPicture.pane.log.size(), 4u);
}

TEST(AnimateBall, AZeroTempoAbandonsTheStepButKeepsTheCursor) {
    BallScene scene;
    scene.lyrics = makeLyrics({{"lo", 2, 480}, {" world", 0, 2400}});
    scene.tempos = makeTempos({{500000, 0}, {0, 960}});
    scene.pane.x = 7.4;
    try {
        scene.step(2, 600, 8); // in the final arc, which lasts no time at all
        ADD_FAILURE();
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::DivisionByZero);
    }
    EXPECT_EQ(scene.pane.x, 7);
}

TEST(AnimateBall, TheClockMayWrapAroundDuringAHop) {
    BallScene scene;
    scene.ball.HopStart = 2147483647 - 24; // 125 ms later the counter has wrapped
    scene.step(2, 125);
    EXPECT_EQ(scene.ball.BallX, 62);
    EXPECT_EQ(scene.ball.BallY, 4);
}
