#include "player/ui/mmcontrol.h"

#include "platform/errors.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cctype>
#include <utility>

namespace player::ui {

namespace {

namespace mode = platform::sequencer;

// While the device plays on its own, how often the buttons follow its mode and a problem it met
// is told: often enough that the end of the song shows at once to the eye.
constexpr int WatchPeriodMs = 50;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

MMControl::MMControl(platform::SequencerDevice& device, platform::MessageSink& messages,
                     QWidget* parent)
    : QWidget(parent), m_device(device), m_messages(messages) {
    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    m_prevButton = addButton(QStyle::SP_MediaSkipBackward, "prevButton", tr("Back to the start"));
    m_playButton = addButton(QStyle::SP_MediaPlay, "playButton", tr("Play"));
    m_pauseButton = addButton(QStyle::SP_MediaPause, "pauseButton", tr("Pause"));
    m_stopButton = addButton(QStyle::SP_MediaStop, "stopButton", tr("Stop"));
    connect(m_prevButton, &QToolButton::clicked, this, &MMControl::onPrevButton);
    connect(m_playButton, &QToolButton::clicked, this, &MMControl::onPlayButton);
    connect(m_pauseButton, &QToolButton::clicked, this, &MMControl::onPauseButton);
    connect(m_stopButton, &QToolButton::clicked, this, &MMControl::onStopButton);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_reports.setTimerType(Qt::PreciseTimer);
    connect(&m_reports, &QTimer::timeout, this, &MMControl::onReportTimer);
    m_watch.setInterval(WatchPeriodMs);
    connect(&m_watch, &QTimer::timeout, this, &MMControl::watchDevice);
    watchDevice();
}

QToolButton* MMControl::addButton(QStyle::StandardPixmap icon, const QString& name,
                                  const QString& tip) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    layout()->addWidget(button);
    return button;
}

void MMControl::setDeviceType(const std::string& type) {
    if (lowerCase(type) != "sequencer")
        platform::raiseError(platform::err::InvalidPropertyValue);
    m_deviceType = type;
}

void MMControl::setCommand(const std::string& command) {
    const std::string name = lowerCase(command);
    if (name == "open")
        open();
    else if (name == "play")
        play();
    else if (name == "pause")
        m_device.pause();
    else if (name == "stop")
        m_device.stop();
    else if (name == "prev")
        m_device.rewind();
    else if (name == "close")
        m_device.close();
    else
        platform::raiseError(platform::err::InvalidPropertyValue);
    m_command = command;
    afterCommand();
}

void MMControl::setReportInterval(std::int16_t interval) {
    if (interval < 0)
        platform::raiseError(platform::err::InvalidPropertyValue);
    m_reportInterval = interval;
    if (interval == 0) {
        m_reports.stop();
        return;
    }
    const int period = std::max<int>(interval, ShortestReportPeriodMs);
    if (!m_reports.isActive() || m_reports.interval() != period)
        m_reports.start(period);
}

void MMControl::onPlayButton() {
    bool cancel = false;
    emit PlayClick(cancel);
    if (cancel)
        return;
    play();
    afterCommand();
}

void MMControl::onPauseButton() {
    m_device.pause();
    afterCommand();
}

void MMControl::onStopButton() {
    m_device.stop();
    afterCommand();
    emit StopCompleted(0);
}

void MMControl::onPrevButton() {
    m_device.rewind();
    afterCommand();
    emit PrevCompleted(0);
}

void MMControl::open() {
    try {
        m_device.open(m_fileName);
    } catch (const platform::RuntimeError& e) {
        tellProblem(e.detail().empty() ? platform::errorDescription(e.number()) : e.detail());
    }
}

void MMControl::play() {
    m_device.play(std::exchange(m_nextStart, std::nullopt));
}

void MMControl::afterCommand() {
    if (m_device.mode() == mode::Playing)
        m_watch.start();
    watchDevice();
}

void MMControl::onReportTimer() {
    watchDevice();
    emit StatusUpdate();
}

// The buttons follow the mode; a problem the device met is told once.
void MMControl::watchDevice() {
    const std::int32_t now = m_device.mode();
    const bool open = now != mode::NotOpen;
    m_prevButton->setEnabled(open);
    m_playButton->setEnabled(open && now != mode::Playing);
    m_pauseButton->setEnabled(now == mode::Playing);
    m_stopButton->setEnabled(now == mode::Playing || now == mode::Paused);
    if (now != mode::Playing)
        m_watch.stop();
    if (const std::string problem = m_device.takeProblem(); !problem.empty())
        tellProblem(problem);
}

void MMControl::tellProblem(const std::string& reason) {
    m_messages.showMessage("The music of " + m_fileName + " cannot be played: " + reason + ".",
                           platform::MessageIcon::Exclamation);
}

} // namespace player::ui
