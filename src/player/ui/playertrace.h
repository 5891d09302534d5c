#pragma once

// Measuring what the windows show and when, from outside them: nothing here changes what a
// window does, and none of it exists unless a measurement asks for it.

#include <QObject>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace player::ui {

class Form3;
class LyricPane;
class MMControl;

// Microseconds of the steady clock, which every process of the machine shares: a program that
// drives this one can set its own moments against these.
std::int64_t traceMicros();

struct TraceEvent {
    std::string what;
    std::int64_t micros = 0;
    int syllable = -1;          // the syllable's index in the song's lyrics
    std::int32_t position = -1; // the sequencer's position, in sixteenth notes
    int reports = -1;           // how many position reports came
};
using TraceSink = std::function<void(const TraceEvent&)>;

// Tells `what` once the widget's first paint has gone to the window system.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& widget, std::string what, TraceSink sink);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::string m_what;
    TraceSink m_sink;
    bool m_seen = false;
};

// Follows one player window and tells:
//   "player-painted"    its lyric pane's first paint has gone to the window system;
//   "play"              its Play button was pressed, just before the sequencer is told to play
//                       (position: where the sequencer is);
//   "syllable"          a syllable's highlight is on the pane (position: where the sequencer is);
//   "syllable-painted"  the pane's next paint after it has gone to the window system;
//   "player-closed"     when the probe goes: how many position reports there were.
// "Gone to the window system" is stamped when the event loop is back after the paint, which is
// after the window's picture has been handed over.
class PlayerProbe : public QObject {
public:
    PlayerProbe(Form3& window, TraceSink sink);
    ~PlayerProbe() override;
    PlayerProbe(const PlayerProbe&) = delete;
    PlayerProbe& operator=(const PlayerProbe&) = delete;

    int reports() const noexcept { return m_reports; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void tell(TraceEvent event) const;

    MMControl* m_control = nullptr;
    LyricPane* m_pane = nullptr;
    TraceSink m_sink;
    int m_reports = 0;
    bool m_painted = false;
    std::vector<int> m_unpainted;
};

// A trace written to a file as it happens, one JSON object a line, e.g.
//   {"event":"syllable","us":123456789,"syllable":3,"position":40}
// Each line is flushed at once, so that another process can follow the file.
class TraceFile {
public:
    // Throws platform::RuntimeError (75) when the file cannot be created.
    explicit TraceFile(const std::string& path);

    void write(const TraceEvent& event);
    TraceSink sink() {
        return [this](const TraceEvent& event) { write(event); };
    }

private:
    std::ofstream m_out;
};

} // namespace player::ui
