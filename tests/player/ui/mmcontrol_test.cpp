#include "player/ui/mmcontrol.h"

#include "platform/errors.h"
#include "support/fakesequencerdevice.h"
#include "support/recordingmessagesink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using player::ui::MMControl;
namespace mode = platform::sequencer;

namespace {

class MMControlTest : public testing::Test {
protected:
    MMControlTest() {
        control.setDeviceType("Sequencer");
        control.setTimeFormat(mode::SongPointerFormat);
        control.setFileName("/songs/demo.kar");
        control.setReportInterval(0);
        control.setCommand("Open");
        device.calls.clear();
    }

    QToolButton* button(const char* name) { return control.findChild<QToolButton*>(name); }
    void click(const char* name) { button(name)->click(); }
    std::vector<bool> enabledButtons() {
        return {button("prevButton")->isEnabled(), button("playButton")->isEnabled(),
                button("pauseButton")->isEnabled(), button("stopButton")->isEnabled()};
    }

    testsupport::FakeSequencerDevice device;
    testsupport::RecordingMessageSink messages;
    MMControl control{device, messages};
};

int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST_F(MMControlTest, OpensTheSongStoppedAtTheTopWithItsLengthInSongPointerUnits) {
    EXPECT_EQ(device.openedPath, "/songs/demo.kar");
    EXPECT_EQ(control.mode(), mode::Stopped);
    EXPECT_EQ(control.position(), 0);
    EXPECT_EQ(control.length(), 100);
    EXPECT_EQ(control.timeFormat(), mode::SongPointerFormat);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, false, false}));
    for (const char* name : {"prevButton", "playButton", "pauseButton", "stopButton"}) {
        EXPECT_FALSE(button(name)->icon().isNull()) << name;
        EXPECT_FALSE(button(name)->toolTip().isEmpty()) << name;
    }
}

TEST_F(MMControlTest, RefusesOtherDevicesTimeFormatsAndCommands) {
    EXPECT_EQ(errorNumber([&] { control.setDeviceType("CDAudio"); }),
              platform::err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { control.setTimeFormat(0); }), platform::err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { control.setCommand("Eject"); }),
              platform::err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { control.setReportInterval(-1); }),
              platform::err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { control.setCommand("stop"); }), 0); // commands in any case
    EXPECT_EQ(control.deviceType(), "Sequencer");
}

TEST_F(MMControlTest, PlayButtonRaisesPlayClickBeforePlayingAndPlaysNothingWhenCancelled) {
    std::vector<std::int32_t> modesSeen;
    bool cancelNext = true;
    QObject::connect(&control, &MMControl::PlayClick, [&](bool& cancel) {
        modesSeen.push_back(control.mode());
        cancel = std::exchange(cancelNext, false);
    });
    click("playButton");
    EXPECT_EQ(control.mode(), mode::Stopped);
    EXPECT_TRUE(device.calls.empty());

    click("playButton");
    EXPECT_EQ(modesSeen, (std::vector<std::int32_t>{mode::Stopped, mode::Stopped}));
    EXPECT_EQ(control.mode(), mode::Playing);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, false, true, true}));
}

TEST_F(MMControlTest, PlayStartsAtTheStartWrittenSinceTheLastPlayOrGoesOnFromWhereItStopped) {
    int stopsCompleted = 0;
    QObject::connect(&control, &MMControl::StopCompleted, [&](std::int32_t) {
        EXPECT_EQ(control.mode(), mode::Stopped);
        ++stopsCompleted;
    });
    control.setStartPosition(40);
    click("playButton");
    EXPECT_EQ(control.position(), 40);
    device.setPosition(52);
    click("stopButton");
    click("playButton");
    EXPECT_EQ(control.position(), 52);
    control.setStartPosition(10);
    control.setCommand("Stop");
    control.setCommand("Play");
    EXPECT_EQ(control.position(), 10);

    EXPECT_EQ(device.calls,
              (std::vector<std::string>{"play 40", "stop", "play", "stop", "play 10"}));
    EXPECT_EQ(stopsCompleted, 1); // the button's, not the command's
    EXPECT_EQ(control.startPosition(), 10);
}

TEST_F(MMControlTest, StopSetFromCodeHasStoppedWhenTheSetterReturnsEvenInsideAReport) {
    click("playButton");
    control.setCommand("Stop");
    EXPECT_NE(control.mode(), mode::Playing);

    click("playButton");
    std::vector<std::int32_t> modesAfterStop;
    QObject::connect(&control, &MMControl::StatusUpdate, [&] {
        control.setCommand("Stop");
        modesAfterStop.push_back(control.mode());
        control.setReportInterval(0);
    });
    control.setReportInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !modesAfterStop.empty(); }, 5000));
    EXPECT_EQ(modesAfterStop, (std::vector<std::int32_t>{mode::Stopped}));
}

TEST_F(MMControlTest, PrevCompletesAfterTheRewindAndStopCompletesAfterStopping) {
    std::vector<std::string> seen;
    QObject::connect(&control, &MMControl::PrevCompleted, [&](std::int32_t) {
        seen.push_back("prev at " + std::to_string(control.position()));
        if (control.mode() == mode::Playing)
            control.setCommand("Stop");
    });
    click("playButton");
    device.setPosition(30);
    click("prevButton");
    EXPECT_EQ(seen, (std::vector<std::string>{"prev at 0"}));
    EXPECT_EQ(control.mode(), mode::Stopped);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"play", "rewind", "stop"}));
}

TEST_F(MMControlTest, ReportsArriveOnlyWhileTheIntervalIsSetEachAsItsOwnEventOnTheUiThread) {
    int reports = 0;
    bool inside = false;
    bool nested = false;
    bool offThread = false;
    QObject::connect(&control, &MMControl::StatusUpdate, [&] {
        nested = nested || inside;
        offThread = offThread || QThread::currentThread() != qApp->thread();
        inside = true;
        ++reports;
        QCoreApplication::processEvents(); // another report must not run in here
        inside = false;
    });
    click("playButton");
    QTest::qWait(100);
    EXPECT_EQ(reports, 0);

    control.setReportInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports >= 5; }, 5000));
    control.setReportInterval(0);
    const int counted = reports;
    QTest::qWait(100);
    EXPECT_EQ(reports, counted);
    EXPECT_FALSE(offThread);
}

TEST_F(MMControlTest, ButtonsFollowTheModeWhenTheSongEndsOrPauses) {
    click("playButton");
    click("pauseButton");
    EXPECT_EQ(control.mode(), mode::Paused);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, false, true}));
    click("playButton");
    EXPECT_EQ(control.mode(), mode::Playing);

    device.setPosition(control.length());
    EXPECT_TRUE(QTest::qWaitFor([&] { return button("playButton")->isEnabled(); }, 5000));
    EXPECT_EQ(control.mode(), mode::Stopped);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(MMControlTest, TellsTheUserOnceWhenTheSongCannotBeOpenedOrPlayed) {
    device.refuseNextOpen = "it is not a Standard MIDI file";
    control.setFileName("/songs/bad.kar");
    EXPECT_EQ(errorNumber([&] { control.setCommand("Open"); }), 0);
    EXPECT_EQ(control.mode(), mode::NotOpen);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{false, false, false, false}));

    control.setCommand("Open");
    click("playButton");
    device.giveUp("the synthesiser could not read it");
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.messages.size() >= 2; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(messages.messages,
              (std::vector<testsupport::ShownMessage>{
                  {"The music of /songs/bad.kar cannot be played: it is not a Standard MIDI file.",
                   platform::MessageIcon::Exclamation},
                  {"The music of /songs/bad.kar cannot be played: the synthesiser could not read "
                   "it.",
                   platform::MessageIcon::Exclamation}}));
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(MMControlTest, CloseLeavesNothingToPlay) {
    control.setCommand("Close");
    EXPECT_EQ(control.mode(), mode::NotOpen);
    EXPECT_EQ(control.length(), 0);
    EXPECT_EQ(enabledButtons(), (std::vector<bool>{false, false, false, false}));
    click("playButton"); // disabled: nothing happens
    EXPECT_TRUE(device.calls.empty());
}
