// Plays a generated 20-second song with tempo changes silently on the real synthesiser through
// the sequencer control, and compares every position report with the position the tempo map
// says the song should have reached at that moment.
//
// lag: for each report that shows a new position p, how long after the ideal moment of p it
//      came (what the singer sees late);
// stale: for every report, how long the true position had already been past the reported one;
// reports/s, and processor time of the whole process (synthesis included) and of the UI thread.

#include "measures.h"
#include "platform/qt/fluidsequencer.h"
#include "platform/streammessagesink.h"
#include "player/ui/mmcontrol.h"
#include "support/karbuilder.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sys/resource.h>
#include <vector>

using testsupport::TrackBuilder;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::int16_t Division = 480;

struct TempoSpan {
    std::int32_t tick;
    std::int32_t tempo; // microseconds per quarter note
};

// 8 s at 120, 6 s at 90, 6 s at 150 beats a minute.
const std::vector<TempoSpan> TempoMap{{0, 500000}, {16 * 480, 666667}, {25 * 480, 400000}};
constexpr int Quarters = 40;

std::string twentySecondSong() {
    TrackBuilder tempo;
    std::int32_t previous = 0;
    for (const TempoSpan& span : TempoMap) {
        tempo.tempo(static_cast<std::uint32_t>(span.tick - previous),
                    static_cast<std::uint32_t>(span.tempo));
        previous = span.tick;
    }
    TrackBuilder chords;
    TrackBuilder bass;
    TrackBuilder drums;
    chords.channel(0, {0xC0, 0});
    bass.channel(0, {0xC1, 33});
    const std::uint8_t roots[] = {60, 65, 67, 62};
    for (int q = 0; q < Quarters; ++q) {
        const std::uint8_t root = roots[(q / 4) % 4];
        chords.channel(0, {0x90, root, 80}).channel(0, {0x90, std::uint8_t(root + 4), 80});
        chords.channel(0, {0x90, std::uint8_t(root + 7), 80});
        chords.channel(470, {0x80, root, 0}).channel(0, {0x80, std::uint8_t(root + 4), 0});
        chords.channel(0, {0x80, std::uint8_t(root + 7), 0}).channel(10, {0xB0, 7, 100});
        bass.channel(0, {0x91, std::uint8_t(root - 24), 90})
            .channel(480, {0x81, std::uint8_t(root - 24), 0});
        drums.channel(0, {0x99, 42, 70}).channel(240, {0x99, 42, 50}).channel(240, {0x89, 42, 0});
    }
    TrackBuilder words;
    words.text(0, "\\La");
    for (int q = 1; q < Quarters; ++q)
        words.text(480, q % 4 == 0 ? "/la" : " la");
    return testsupport::header(Division, 6) + tempo.endOfTrack().chunk() +
           TrackBuilder().endOfTrack().chunk() + words.endOfTrack().chunk() +
           chords.endOfTrack().chunk() + bass.endOfTrack().chunk() + drums.endOfTrack().chunk();
}

// Microseconds from the start of the song to the given tick.
double microsecondsAt(double tick) {
    double elapsed = 0;
    for (std::size_t i = 0; i < TempoMap.size(); ++i) {
        const double end = i + 1 < TempoMap.size() ? TempoMap[i + 1].tick : 1e18;
        const double from = TempoMap[i].tick;
        if (tick <= end)
            return elapsed + (tick - from) * TempoMap[i].tempo / Division;
        elapsed += (end - from) * TempoMap[i].tempo / Division;
    }
    return elapsed;
}

// When the song ideally reaches a song-pointer position: its first tick.
double idealMillisecondsOf(std::int32_t position) {
    const std::int64_t firstTick = (static_cast<std::int64_t>(position) * Division + 3) / 4;
    return microsecondsAt(static_cast<double>(firstTick)) / 1000.0;
}

struct Report {
    double ms;
    std::int32_t position;
};

void PlaybackReports(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("song.kar").toStdString();
    std::ofstream(path, std::ios::binary) << twentySecondSong();

    platform::StreamMessageSink messages(std::cerr);
    platform::qt::FluidEngine engine({.soundFont = {}, .silent = true}, messages);
    platform::qt::FluidSequencer device(engine);
    player::ui::MMControl control(device, messages);
    control.setDeviceType("Sequencer");
    control.setTimeFormat(platform::sequencer::SongPointerFormat);
    control.setFileName(path);
    control.setCommand("Open");

    for (auto _ : state) {
        std::vector<Report> reports;
        reports.reserve(4000);
        Clock::time_point start;
        QEventLoop loop;
        QObject::connect(&control, &player::ui::MMControl::StatusUpdate, [&] {
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            reports.push_back({ms, control.position()});
            if (control.mode() != platform::sequencer::Playing)
                loop.quit();
        });
        QTimer::singleShot(40000, &loop, &QEventLoop::quit);
        control.setReportInterval(static_cast<std::int16_t>(state.range(0)));
        const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
        const double uiBefore = bench::cpuSeconds(RUSAGE_THREAD);
        start = Clock::now();
        control.setStartPosition(0);
        control.setCommand("Play");
        loop.exec();
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
        const double ui = bench::cpuSeconds(RUSAGE_THREAD) - uiBefore;
        control.setReportInterval(0);
        QObject::disconnect(&control, &player::ui::MMControl::StatusUpdate, nullptr, nullptr);

        std::vector<double> lags;
        std::vector<double> stale;
        std::int32_t shown = -1;
        int ahead = 0;
        for (const Report& r : reports) {
            if (r.position > shown) {
                if (shown >= 0)
                    lags.push_back(r.ms - idealMillisecondsOf(r.position));
                shown = r.position;
            }
            const double nextDue = idealMillisecondsOf(r.position + 1);
            stale.push_back(std::max(0.0, r.ms - nextDue));
            if (r.ms < idealMillisecondsOf(r.position))
                ++ahead;
        }
        state.counters["lag_median_ms"] = bench::percentile(lags, 0.5);
        state.counters["lag_p95_ms"] = bench::percentile(lags, 0.95);
        state.counters["lag_max_ms"] = bench::percentile(lags, 1.0);
        state.counters["stale_p95_ms"] = bench::percentile(stale, 0.95);
        state.counters["reports_ahead"] = ahead;
        state.counters["reports_per_s"] = static_cast<double>(reports.size()) / wall;
        state.counters["cpu_pct"] = 100.0 * cpu / wall;
        state.counters["ui_cpu_pct"] = 100.0 * ui / wall;
        state.counters["song_s"] = wall;
        state.counters["end_pos"] = reports.empty() ? 0 : reports.back().position;
    }
}

} // namespace

// ReportInterval 1 asks for the shortest period; 10 and 16 (one 60 Hz frame) for comparison.
BENCHMARK(PlaybackReports)
    ->Arg(1)
    ->Arg(10)
    ->Arg(16)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
