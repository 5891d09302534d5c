#pragma once

#include "platform/messagesink.h"
#include "platform/sequencerdevice.h"

#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

class QToolButton;

namespace player::ui {

// The sequencer control: a button bar (Prev, Play, Pause, Stop) over a sequencer device, with
// the properties the player window drives and the events it handles. Commands set from code
// have finished when the setter returns; the completion events belong to the buttons only.
// Position reports come from a timer on the user-interface thread while `ReportInterval` is
// not 0. The device is injected and must outlive the control; the control never closes it.
class MMControl : public QWidget {
    Q_OBJECT

public:
    // The shortest report period: with it a syllable shows within a display frame of its time
    // (measured by the sequencer benchmark) for little processor time.
    static constexpr int ShortestReportPeriodMs = 8;

    MMControl(platform::SequencerDevice& device, platform::MessageSink& messages,
              QWidget* parent = nullptr);

    // Only "Sequencer" (in any case); anything else is error 380.
    void setDeviceType(const std::string& type);
    const std::string& deviceType() const noexcept { return m_deviceType; }

    void setFileName(const std::string& path) { m_fileName = path; }
    const std::string& fileName() const noexcept { return m_fileName; }

    // "Open", "Play", "Pause", "Stop", "Prev", "Close" in any case; anything else is error 380.
    // A file that cannot be opened or played is told to the user, not raised.
    void setCommand(const std::string& command);
    const std::string& command() const noexcept { return m_command; }

    // Where the next Play starts, once; without it Play goes on from where the device stopped.
    void setStartPosition(std::int32_t position) {
        m_startPosition = position;
        m_nextStart = position;
    }
    std::int32_t startPosition() const noexcept { return m_startPosition; }

    std::int32_t mode() const { return m_device.mode(); }
    std::int32_t length() const { return m_device.length(); }
    std::int32_t position() const { return m_device.position(); }

    // Only song-pointer units (16385); anything else is error 380.
    void setTimeFormat(std::int32_t format) { m_device.setTimeFormat(format); }
    std::int32_t timeFormat() const { return m_device.timeFormat(); }

    // 0: no position reports; n > 0: one every n milliseconds, but no more often than the
    // shortest report period. Negative values are error 380.
    void setReportInterval(std::int16_t interval);
    std::int16_t ReportInterval() const noexcept { return m_reportInterval; }

signals:
    // The Play button was pressed; nothing plays when a handler sets the flag.
    void PlayClick(bool& cancel);
    // The Prev button's rewind has finished; the Stop button's stop has finished.
    void PrevCompleted(std::int32_t errorCode);
    void StopCompleted(std::int32_t errorCode);
    // A position report.
    void StatusUpdate();

private:
    QToolButton* addButton(QStyle::StandardPixmap icon, const QString& name, const QString& tip);
    void onPlayButton();
    void onPauseButton();
    void onStopButton();
    void onPrevButton();
    void open();
    void play();
    void afterCommand();
    void onReportTimer();
    void watchDevice();
    void tellProblem(const std::string& reason);

    platform::SequencerDevice& m_device;
    platform::MessageSink& m_messages;
    std::string m_deviceType;
    std::string m_fileName;
    std::string m_command;
    std::int32_t m_startPosition = 0;
    std::optional<std::int32_t> m_nextStart;
    std::int16_t m_reportInterval = 0;
    QTimer m_reports;
    QTimer m_watch;
    QToolButton* m_prevButton = nullptr;
    QToolButton* m_playButton = nullptr;
    QToolButton* m_pauseButton = nullptr;
    QToolButton* m_stopButton = nullptr;
};

} // namespace player::ui
