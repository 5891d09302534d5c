#include "player/ui/playertrace.h"

#include "platform/qt/qtpicture.h"
#include "player/ui/form3.h"
#include "player/ui/mmcontrol.h"
#include "support/fakeplayerservices.h"
#include "support/karbuilder.h"
#include "support/recordingmessagesink.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using player::ui::Form3;
using player::ui::PlayerProbe;
using player::ui::TraceEvent;

namespace {

// Names of the events with the syllable or the position they carry, in order.
std::vector<std::string> described(const std::vector<TraceEvent>& events) {
    std::vector<std::string> result;
    for (const TraceEvent& event : events) {
        std::string text = event.what;
        if (event.syllable >= 0)
            text += " " + std::to_string(event.syllable);
        if (event.position >= 0)
            text += " @" + std::to_string(event.position);
        if (event.reports >= 0)
            text += " reports " + std::to_string(event.reports);
        result.push_back(text);
    }
    return result;
}

class PlayerProbeTest : public testing::Test, protected testsupport::FakePlayerServices {
protected:
    PlayerProbeTest() {
        testsupport::TrackBuilder words;
        words.text(1920, "\\Twin").text(240, "kle");
        std::ofstream(folder.filePath("song.kar").toStdString(), std::ios::binary)
            << testsupport::karFile(480, testsupport::TrackBuilder().endOfTrack(),
                                    testsupport::TrackBuilder().endOfTrack(), words.endOfTrack());
        device.lengthOnOpen = 40;
        form = std::make_unique<Form3>(folder.path().toStdString(), "song.kar", "Twinkle\r\n",
                                       services());
    }

    void report(std::int32_t position) {
        device.setPosition(position);
        emit form->findChild<player::ui::MMControl*>("MMControl1")->StatusUpdate();
    }
    // Paints the window at once and lets the event loop come back once.
    void paintNow() {
        form->repaint();
        QCoreApplication::processEvents();
    }
    player::ui::TraceSink recorder() {
        return [this](const TraceEvent& event) {
            events.push_back(event);
            EXPECT_GT(event.micros, 0);
        };
    }

    QTemporaryDir folder;
    std::unique_ptr<Form3> form;
    std::vector<TraceEvent> events;
};

TEST_F(PlayerProbeTest, TellsThePlayTheSyllablesDrawnTheirNextPaintAndTheReportsInOrder) {
    {
        PlayerProbe probe(*form, recorder());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        paintNow();
        form->findChild<QToolButton*>("playButton")->click();
        report(15); // nothing due yet
        report(16); // "Twin"
        report(18); // "kle"
        report(22); // the trailing sentinel, a quarter note after the last syllable
        paintNow();
        EXPECT_EQ(probe.reports(), 4);
    }
    EXPECT_EQ(
        described(events),
        (std::vector<std::string>{"player-painted", "play @0", "syllable 1 @16", "syllable 2 @18",
                                  "syllable 3 @22", "syllable-painted 1", "syllable-painted 2",
                                  "syllable-painted 3", "player-closed reports 4"}));
    for (std::size_t i = 1; i < events.size(); ++i)
        EXPECT_GE(events[i].micros, events[i - 1].micros) << events[i].what;
}

TEST(TraceFile, WritesOneJsonObjectALineWithTheFieldsAnEventHas) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("trace.jsonl").toStdString();
    {
        player::ui::TraceFile trace(path);
        trace.write({.what = "main", .micros = 12});
        trace.sink()({.what = "syllable", .micros = 34, .syllable = 3, .position = 40});
        trace.write({.what = "player-closed", .micros = 56, .reports = 7});
    }
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "{\"event\":\"main\",\"us\":12}\n"
                          "{\"event\":\"syllable\",\"us\":34,\"syllable\":3,\"position\":40}\n"
                          "{\"event\":\"player-closed\",\"us\":56,\"reports\":7}\n");

    EXPECT_THROW(player::ui::TraceFile(folder.filePath("no/such/folder/trace").toStdString()),
                 platform::RuntimeError);
}

TEST(FirstPaintWatch, TellsOnlyTheFirstPaint) {
    QWidget window;
    window.resize(100, 50);
    std::vector<std::string> told;
    new player::ui::FirstPaintWatch(window, "shown",
                                    [&](const TraceEvent& event) { told.push_back(event.what); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.empty(); }));
    window.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(told, std::vector<std::string>{"shown"});
}

} // namespace
