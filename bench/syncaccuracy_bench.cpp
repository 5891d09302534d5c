// How late the player window shows each syllable: a demo song plays for a minute on the real
// synthesiser (silently, in real time) in the real player window with its real pane, pressed
// into play with its own Play button, with the default settings (bouncing ball on).
//
// For every syllable: its lag is the moment it was shown minus the moment the sequencer's
// position ideally reached the syllable's due position (the first tick of that sixteenth note,
// timed by the song's tempo map from the moment Play handed the song to the sequencer).
//   drawn:   the highlight box is on the pane's picture (the report that took it has drawn it);
//   painted: the pane's next paint after that has gone to the window system.
// Also: the processor time of the whole process (synthesis included) and of the user-interface
// thread over the minute, and the position reports the window got.
//
// Run it on a display (xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" ...), else it runs
// offscreen. The argument is how many seconds of the song to play.

#include "measures.h"
#include "platform/qt/fluidengine.h"
#include "platform/qt/fluidsequencer.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qtpicture.h"
#include "platform/steadyclock.h"
#include "platform/streammessagesink.h"
#include "player/ui/form3.h"
#include "player/ui/playertrace.h"
#include "song/duepos.h"
#include "song/karreader.h"
#include "support/memorysettingsstore.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

const std::string SongFolder = VT_SONGS_DIR;
const std::string SongFile = "twinkle-twinkle.kar";

struct Song {
    song::LyricArray Lyrics = song::makeLyricArray();
    std::int16_t Division = 0;
    song::TempoArray Tempos = song::makeTempoArray();
};

Song readSong() {
    Song song;
    platform::StreamMessageSink messages(std::cerr);
    if (!song::ReadKar(SongFolder + "/" + SongFile, song.Lyrics, song.Division, song.Tempos,
                       messages))
        std::abort();
    return song;
}

// Milliseconds from the start of the song to a tick, by the tempo map.
double millisecondsAt(const Song& song, std::int64_t tick) {
    double micros = 0;
    std::int64_t from = 0;
    double tempo = 500000; // a song without a tempo plays at 120 beats a minute
    for (int i = 1; i <= song.Tempos.upper(); ++i) {
        const std::int64_t change = std::min<std::int64_t>(song.Tempos[i].Tick, tick);
        if (change > from) {
            micros += static_cast<double>(change - from) * tempo / song.Division;
            from = change;
        }
        if (song.Tempos[i].Tick > tick)
            break;
        tempo = song.Tempos[i].Tempo;
    }
    micros += static_cast<double>(tick - from) * tempo / song.Division;
    return micros / 1000;
}

// When the position ideally reaches a syllable's due position: the first tick of that
// sixteenth note.
double dueMilliseconds(const Song& song, int index) {
    const std::int64_t due = song::DuePos(song.Lyrics[index].Tick, song.Division);
    const std::int64_t firstTick = (due * song.Division + 3) / 4;
    return millisecondsAt(song, firstTick);
}

void setLagCounters(benchmark::State& state, const std::string& name,
                    const std::vector<double>& lags) {
    state.counters[name + "_median_ms"] = bench::percentile(lags, 0.5);
    state.counters[name + "_p95_ms"] = bench::percentile(lags, 0.95);
    state.counters[name + "_max_ms"] = bench::percentile(lags, 1.0);
    state.counters[name + "_min_ms"] = bench::percentile(lags, 0.0);
}

void SyllableLag(benchmark::State& state) {
    const Song song = readSong();
    testsupport::MemorySettingsStore settings; // the default settings
    platform::StreamMessageSink messages(std::cerr);
    platform::qt::QtDialogs dialogs;
    platform::SteadyClock clock;
    platform::qt::QtPictureLoader pictures;
    platform::qt::FluidEngine engine({.soundFont = {}, .silent = true}, messages);

    for (auto _ : state) {
        platform::qt::FluidSequencer device(engine);
        player::ui::Form3 window(SongFolder, SongFile, "Twinkle, Twinkle, Little Star\r\n",
                                 {settings, messages, dialogs, clock, device, pictures});
        std::int64_t played = 0;
        std::map<int, std::int64_t> drawn;
        std::map<int, std::int64_t> painted;
        player::ui::PlayerProbe probe(window, [&](const player::ui::TraceEvent& event) {
            if (event.what == "play")
                played = event.micros;
            else if (event.what == "syllable")
                drawn.emplace(event.syllable, event.micros);
            else if (event.what == "syllable-painted")
                painted.emplace(event.syllable, event.micros);
        });
        window.show();
        QEventLoop settle;
        QTimer::singleShot(500, &settle, &QEventLoop::quit);
        settle.exec();

        const int reportsBefore = probe.reports();
        const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
        const double uiBefore = bench::cpuSeconds(RUSAGE_THREAD);
        const std::int64_t wallBefore = player::ui::traceMicros();
        window.findChild<QToolButton*>("playButton")->click();
        QEventLoop playing;
        QTimer::singleShot(static_cast<int>(state.range(0) * 1000), &playing, &QEventLoop::quit);
        playing.exec();
        const double wall = static_cast<double>(player::ui::traceMicros() - wallBefore) / 1e6;
        const double cpu = bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
        const double ui = bench::cpuSeconds(RUSAGE_THREAD) - uiBefore;
        const int reports = probe.reports() - reportsBefore;
        window.findChild<QToolButton*>("stopButton")->click();

        std::vector<double> drawnLags;
        std::vector<double> paintedLags;
        for (const auto& [index, micros] : drawn) {
            if (index < 1 || index >= song.Lyrics.upper())
                continue; // the sentinels have no box
            const double ideal = static_cast<double>(played) / 1000 + dueMilliseconds(song, index);
            drawnLags.push_back(static_cast<double>(micros) / 1000 - ideal);
            if (const auto shown = painted.find(index); shown != painted.end())
                paintedLags.push_back(static_cast<double>(shown->second) / 1000 - ideal);
        }
        setLagCounters(state, "drawn", drawnLags);
        setLagCounters(state, "painted", paintedLags);
        state.counters["syllables"] = static_cast<double>(drawnLags.size());
        state.counters["cpu_pct"] = 100 * cpu / wall;
        state.counters["ui_cpu_pct"] = 100 * ui / wall;
        state.counters["reports"] = reports;
        state.counters["reports_per_s"] = reports / wall;
        state.counters["played_s"] = wall;
    }
}

} // namespace

BENCHMARK(SyllableLag)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
