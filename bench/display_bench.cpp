// Row wrapping with real font metrics and one bouncing-ball step on the Qt pane.

#include "display/bouncingball.h"
#include "display/rowwrapper.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtpicture.h"
#include "platform/steadyclock.h"
#include "song/linebuilder.h"
#include "support/songtables.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

// A song of `count` syllables: words of one to three syllables, six to eleven words a line, a
// new paragraph every fourth line, a syllable every eighth note.
song::LyricArray makeSong(int count) {
    std::mt19937 random(1234);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    song::LyricArray lyrics = song::makeLyricArray();
    lyrics.append({song::SentinelText, song::KindContinue, 0});
    int wordsLeft = 0;
    int syllablesLeft = 0;
    int line = 0;
    for (int i = 1; i <= count; ++i) {
        std::int16_t kind = song::KindContinue;
        std::string text;
        if (syllablesLeft == 0) {
            if (wordsLeft == 0) {
                wordsLeft = pick(6, 11);
                kind = line++ % 4 == 0 ? song::KindNewParagraph : song::KindNewLine;
            } else {
                text = " ";
            }
            --wordsLeft;
            syllablesLeft = pick(1, 3);
        }
        --syllablesLeft;
        for (int letters = pick(2, 5); letters > 0; --letters)
            text += static_cast<char>('a' + pick(0, 25));
        lyrics.append({text, kind, i * 240});
    }
    lyrics.append({song::SentinelText, song::KindContinue, (count + 1) * 240});
    return lyrics;
}

platform::qt::QtCanvas makePane(int width) {
    platform::qt::QtCanvas pane;
    pane.resize({width, 400});
    pane.setFont({"DejaVu Sans", 14, false, false});
    return pane;
}

struct WrapScene {
    explicit WrapScene(benchmark::State& state)
        : lyrics(makeSong(static_cast<int>(state.range(0)))),
          pane(makePane(static_cast<int>(state.range(1)))) {
        song::BuildLines(lyrics, lines);
    }
    void wrap() {
        display::WrapRows(pane, lyrics, lines, rows, curRow, 0);
        benchmark::DoNotOptimize(rows);
    }
    song::LyricArray lyrics;
    song::LineArray lines = song::makeLineArray();
    display::RowArray rows = display::makeRowArray();
    std::int16_t curRow = 0;
    platform::qt::QtCanvas pane;
};

// Every width measured afresh: the first wrap after a font change.
void WrapRowsCold(benchmark::State& state) {
    WrapScene scene(state);
    for (auto _ : state) {
        state.PauseTiming();
        scene.pane.setFont({"DejaVu Sans", 14, false, false}); // forgets the measured widths
        state.ResumeTiming();
        scene.wrap();
    }
    state.counters["rows"] = scene.rows.count();
}

// A re-wrap after the pane changed width: lines measured before are known, their new pieces not.
void WrapRowsAfterResize(benchmark::State& state) {
    WrapScene scene(state);
    const int width = static_cast<int>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        scene.pane.setFont({"DejaVu Sans", 14, false, false});
        scene.pane.resize({width + 97, 400});
        scene.wrap();
        scene.pane.resize({width, 400});
        state.ResumeTiming();
        scene.wrap();
    }
}

// The same width again, as the scroll bar's re-wrap does.
void WrapRowsWarm(benchmark::State& state) {
    WrapScene scene(state);
    scene.wrap();
    for (auto _ : state)
        scene.wrap();
}

void wrapArguments(benchmark::internal::Benchmark* benchmark) {
    for (const int syllables : {400, 32766})
        for (const int width : {320, 640, 1280})
            benchmark->Args({syllables, width});
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(WrapRowsCold)->Apply(wrapArguments);
BENCHMARK(WrapRowsAfterResize)->Apply(wrapArguments);
BENCHMARK(WrapRowsWarm)->Apply(wrapArguments);

// One step in the middle of a hop, with the background picture to repaint under the old ball.
void AnimateBallStep(benchmark::State& state) {
    platform::qt::QtCanvas pane = makePane(800);
    QImage backdrop(640, 300, QImage::Format_ARGB32_Premultiplied);
    backdrop.fill(Qt::darkBlue);
    platform::PictureArray backdrops = platform::makePictureArray();
    backdrops.append(std::make_shared<platform::qt::QtPicture>(backdrop, QSizeF(96, 96)));
    pane.setPicture(backdrops[1]);

    const song::LyricArray lyrics = testsupport::makeLyrics(
        {{"Twin", 2, 0}, {"kle", 0, 240}, {" twin", 0, 480}, {"kle", 0, 720}});
    const song::TempoArray tempos = testsupport::makeTempos({{500000, 0}, {450000, 600}});
    options::Options options;
    options.NumLines = 4;
    options.VertJust = 1;
    options.Ball = true;
    options.Bitmap = state.range(0) != 0;
    options.BallColor = 0x0000FF;
    options.BackColor = 0xFFFFFF;
    display::BallState ball{0, 5, 40, 40, 40};
    const platform::SteadyClock clock;
    ball.HopStart = clock.milliseconds();
    for (auto _ : state)
        display::AnimateBall(pane, clock, ball, lyrics, 4, tempos, 1, 1, 480, options, backdrops,
                             1);
    benchmark::DoNotOptimize(ball);
}

BENCHMARK(AnimateBallStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
