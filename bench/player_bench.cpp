// One position report of the player window on a long song: nothing due, a syllable inside a
// row, and a syllable that opens a row (the page is redrawn). The window runs offscreen on a
// sequencer device whose position the benchmark sets.

#include "platform/qt/qtpicture.h"
#include "platform/steadyclock.h"
#include "player/ui/form3.h"
#include "player/ui/mmcontrol.h"
#include "song/duepos.h"
#include "support/fakesequencerdevice.h"
#include "support/karbuilder.h"
#include "support/memorysettingsstore.h"
#include "support/recordingmessagesink.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int Syllables = 5000;
constexpr std::uint32_t Spacing = 240; // an eighth note at 480 ticks to the quarter

// Words of one to three syllables, six to eleven words a line, a paragraph every fourth line.
std::string makeSong() {
    std::mt19937 random(1234);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    testsupport::TrackBuilder words;
    int wordsLeft = 0;
    int syllablesLeft = 0;
    int line = 0;
    for (int i = 0; i < Syllables; ++i) {
        std::string text;
        if (syllablesLeft == 0) {
            if (wordsLeft == 0) {
                wordsLeft = pick(6, 11);
                text.push_back(line++ % 4 == 0 ? '\\' : '/');
            } else {
                text.push_back(' ');
            }
            --wordsLeft;
            syllablesLeft = pick(1, 3);
        }
        --syllablesLeft;
        for (int letters = pick(2, 5); letters > 0; --letters)
            text += static_cast<char>('a' + pick(0, 25));
        words.text(Spacing, text);
    }
    return testsupport::karFile(480, testsupport::TrackBuilder().endOfTrack(),
                                testsupport::TrackBuilder().endOfTrack(), words.endOfTrack());
}

// A large player window on the song, playing, with the bouncing ball on.
class PlayingWindow {
public:
    PlayingWindow() : m_folder(fs::temp_directory_path() / "vt-bench-player") {
        m_folder += std::to_string(::getpid());
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "long.kar", std::ios::binary) << makeSong();
        const auto set = [&](const char* section, const char* key, const char* text) {
            m_store.values[{"Vocatune Player 1.5", section, key}] = text;
        };
        set("Options", "FontName", "DejaVu Sans");
        set("Options", "FontSize", "20");
        set("Options", "Ball", "True");
        set("Window", "Width", "19200"); // 1280 x 800 pixels at 96 dots per inch
        set("Window", "Height", "12000");
        m_device.lengthOnOpen = 1000000;
        m_form = std::make_unique<player::ui::Form3>(
            m_folder.string(), "long.kar", "",
            player::ui::Form3Services{m_store, m_messages, m_dialogs, m_clock, m_device,
                                      m_pictures});
        m_form->show();
        QApplication::processEvents();
        m_control = m_form->findChild<player::ui::MMControl*>("MMControl1");
        play();
    }
    ~PlayingWindow() {
        m_form.reset();
        fs::remove_all(m_folder);
    }

    // Runs one report at a position; returns its duration in seconds.
    double report(std::int32_t position) {
        m_device.setPosition(position);
        const auto start = std::chrono::steady_clock::now();
        emit m_control->StatusUpdate();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // Takes syllables until the next one to fall due is one that `wanted` accepts.
    void advanceTo(const std::function<bool(const song::LyricEvent&)>& wanted) {
        for (;;) {
            const auto& lyrics = m_form->song().Lyrics;
            const int next = m_form->playback().CurLyric;
            if (next < 1 || next >= lyrics.upper()) {
                play(); // from the top again
                continue;
            }
            if (wanted(lyrics[next]))
                return;
            report(duePosition(next));
        }
    }

    std::int32_t duePosition(int index) const {
        return song::DuePos(m_form->song().Lyrics[index].Tick, 480);
    }
    int next() const { return m_form->playback().CurLyric; }
    void describe(benchmark::State& state) const {
        state.counters["pane_width"] = m_form->pane().scaleWidth();
        state.counters["pane_height"] = m_form->pane().scaleHeight();
        state.counters["rows"] = m_form->rows().count();
    }

private:
    void play() {
        m_form->findChild<QToolButton*>("stopButton")->click();
        m_form->findChild<QToolButton*>("prevButton")->click();
        m_form->findChild<QToolButton*>("playButton")->click();
        report(0); // positions the window at the first syllable
    }

    fs::path m_folder;
    testsupport::MemorySettingsStore m_store;
    testsupport::RecordingMessageSink m_messages;
    testsupport::ScriptedDialogs m_dialogs;
    platform::SteadyClock m_clock;
    testsupport::FakeSequencerDevice m_device;
    platform::qt::QtPictureLoader m_pictures;
    std::unique_ptr<player::ui::Form3> m_form;
    player::ui::MMControl* m_control = nullptr;
};

bool opensRow(const song::LyricEvent& syllable) {
    return syllable.Kind != song::KindContinue;
}

void ReportNothingDue(benchmark::State& state) {
    PlayingWindow window;
    window.advanceTo([](const song::LyricEvent&) { return true; });
    const std::int32_t before = window.duePosition(window.next()) - 1;
    for (auto _ : state)
        state.SetIterationTime(window.report(before));
    window.describe(state);
}

void ReportSyllableInRow(benchmark::State& state) {
    PlayingWindow window;
    for (auto _ : state) {
        window.advanceTo([](const song::LyricEvent& syllable) { return !opensRow(syllable); });
        state.SetIterationTime(window.report(window.duePosition(window.next())));
    }
    window.describe(state);
}

void ReportRowChange(benchmark::State& state) {
    PlayingWindow window;
    for (auto _ : state) {
        window.advanceTo(opensRow);
        state.SetIterationTime(window.report(window.duePosition(window.next())));
    }
    window.describe(state);
}

BENCHMARK(ReportNothingDue)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportSyllableInRow)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(ReportRowChange)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
