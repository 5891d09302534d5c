#include "platform/qt/fluidsequencer.h"

#include "platform/errors.h"
#include "support/karbuilder.h"
#include "support/recordingmessagesink.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

using platform::qt::FluidEngine;
using platform::qt::FluidEngineSettings;
using platform::qt::FluidSequencer;
using testsupport::TrackBuilder;
namespace mode = platform::sequencer;
using namespace std::chrono_literals;

namespace {

// Two seconds of music at 240 beats a minute: 16 song-pointer units a second, 32 in all.
std::string twoSecondSong() {
    TrackBuilder music;
    music.channel(0, {0xC0, 0});
    for (std::uint8_t note = 60; note < 68; ++note)
        music.channel(0, {0x90, note, 90}).channel(480, {0x80, note, 0});
    return testsupport::header(480, 4) + TrackBuilder().tempo(0, 250000).endOfTrack().chunk() +
           TrackBuilder().endOfTrack().chunk() +
           TrackBuilder().text(0, "\\la").text(960, "la").endOfTrack().chunk() + music.chunk();
}

// Waits for a condition with a generous limit, so that a slow machine only makes it slower.
bool eventually(const std::function<bool()>& condition, std::chrono::seconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// A position read right after a start: the start itself, or a little more on a busy machine (a
// quarter of a second of this song), never what the player had before.
bool justAfter(std::int32_t position, std::int32_t start) {
    return position >= start && position <= start + 4;
}

int errorNumber(const std::function<void()>& call, std::string* detail = nullptr) {
    try {
        call();
    } catch (const platform::RuntimeError& e) {
        if (detail != nullptr)
            *detail = e.detail();
        return e.number();
    }
    return 0;
}

class FluidSequencerTest : public testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = m_folder.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    FluidEngineSettings silent() const { return {.soundFont = {}, .silent = true}; }

    QTemporaryDir m_folder;
    testsupport::RecordingMessageSink m_messages;
};

} // namespace

TEST_F(FluidSequencerTest, PlaysInSongPointerUnitsFromAStartResumesAfterStopAndStopsAtTheEnd) {
    FluidEngine engine(silent(), m_messages);
    FluidSequencer device(engine);
    device.open(write("song.kar", twoSecondSong()));
    EXPECT_EQ(device.length(), 32);
    EXPECT_EQ(device.mode(), mode::Stopped);
    EXPECT_EQ(device.position(), 0);

    device.play(8);
    EXPECT_EQ(device.mode(), mode::Playing);
    EXPECT_TRUE(justAfter(device.position(), 8));
    std::int32_t last = 8;
    EXPECT_TRUE(eventually([&] {
        const std::int32_t now = device.position();
        EXPECT_GE(now, last);
        last = now;
        return now >= 12;
    }));
    EXPECT_LT(last, 32);

    device.stop();
    EXPECT_EQ(device.mode(), mode::Stopped);
    const std::int32_t stoppedAt = device.position();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(device.position(), stoppedAt);

    device.play(std::nullopt);
    EXPECT_EQ(device.mode(), mode::Playing);
    EXPECT_TRUE(justAfter(device.position(), stoppedAt));
    EXPECT_TRUE(eventually([&] { return device.mode() != mode::Playing; }));
    EXPECT_EQ(device.mode(), mode::Stopped);
    EXPECT_EQ(device.position(), 32);
    EXPECT_EQ(engine.outputName(), "file");
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(FluidSequencerTest, RewindsAPlayingSongToTheTopAndPausesWhereItIs) {
    FluidEngine engine(silent(), m_messages);
    FluidSequencer device(engine);
    device.open(write("song.kar", twoSecondSong()));
    device.play(20);
    ASSERT_TRUE(eventually([&] { return device.position() >= 21; }));

    device.rewind();
    EXPECT_EQ(device.mode(), mode::Playing);
    EXPECT_TRUE(justAfter(device.position(), 0)); // not the tick it had before the rewind

    ASSERT_TRUE(eventually([&] { return device.position() >= 2; }));
    device.pause();
    EXPECT_EQ(device.mode(), mode::Paused);
    const std::int32_t pausedAt = device.position();
    device.play(std::nullopt);
    EXPECT_TRUE(justAfter(device.position(), pausedAt));
    device.stop();
    EXPECT_EQ(device.mode(), mode::Stopped);

    device.play(32); // a start at the end plays nothing
    EXPECT_EQ(device.mode(), mode::Stopped);
    EXPECT_EQ(device.position(), 32);
    device.rewind();
    EXPECT_EQ(device.position(), 0);
}

TEST_F(FluidSequencerTest, RefusesFilesItCannotPlayWithTheReason) {
    FluidEngine engine(silent(), m_messages);
    FluidSequencer device(engine);
    struct Case {
        std::string path;
        int number;
        std::string reason;
    };
    const Case cases[] = {
        {m_folder.filePath("missing.kar").toStdString(), platform::err::FileNotFound,
         "the file does not exist"},
        {write("text.kar", "just some words"), platform::err::InvalidCall,
         "it is not a Standard MIDI file"},
        {write("smpte.kar", testsupport::header(0xE728, 1) + TrackBuilder().endOfTrack().chunk()),
         platform::err::InvalidCall, "its time is counted in frames per second, not in beats"},
        {m_folder.path().toStdString(), platform::err::PathFileAccess, "the file cannot be read"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_EQ(errorNumber([&] { device.open(c.path); }, &reason), c.number) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_EQ(device.mode(), mode::NotOpen) << c.path;
        EXPECT_EQ(device.length(), 0) << c.path;
    }
}

TEST_F(FluidSequencerTest, PlaysOneSongAtATimeAndFreesTheSynthesiserOnClose) {
    FluidEngine engine(silent(), m_messages);
    FluidSequencer first(engine);
    FluidSequencer second(engine);
    const std::string path = write("song.kar", twoSecondSong());
    first.open(path);
    std::string reason;
    EXPECT_EQ(errorNumber([&] { second.open(path); }, &reason), platform::err::InvalidCall);
    EXPECT_EQ(reason, "the synthesiser is playing another song");
    first.close();
    EXPECT_EQ(first.mode(), mode::NotOpen);
    second.open(path);
    EXPECT_EQ(second.mode(), mode::Stopped);
}

TEST_F(FluidSequencerTest, RefusesEveryTimeFormatButSongPointerUnits) {
    FluidEngine engine(silent(), m_messages);
    FluidSequencer device(engine);
    EXPECT_EQ(errorNumber([&] { device.setTimeFormat(0); }), platform::err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { device.setTimeFormat(mode::SongPointerFormat); }), 0);
    EXPECT_EQ(device.timeFormat(), mode::SongPointerFormat);
}

TEST_F(FluidSequencerTest, WithoutASoundFontSaysSoOnceAndStillKeepsTime) {
    QTemporaryDir emptyFolder;
    FluidEngine engine(
        {.soundFont = {}, .soundFontFolder = emptyFolder.path().toStdString(), .silent = true},
        m_messages);
    FluidSequencer device(engine);
    const std::string path = write("song.kar", twoSecondSong());
    device.open(path);
    device.close();
    device.open(path);
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_NE(m_messages.messages[0].text.find("No SoundFont could be loaded"), std::string::npos);
    EXPECT_EQ(engine.soundFontName(), "");

    device.play(28);
    EXPECT_TRUE(eventually([&] { return device.mode() == mode::Stopped; }));
    EXPECT_EQ(device.position(), 32);
}

TEST_F(FluidSequencerTest, AnEngineNeverPlayedOnTellsNothingAndEndsWhileItsSoundFontLoads) {
    QTemporaryDir emptyFolder;
    for (const std::string& folder :
         {std::string(platform::qt::SystemSoundFontFolder), emptyFolder.path().toStdString()}) {
        FluidEngine engine({.soundFont = {}, .soundFontFolder = folder, .silent = true},
                           m_messages);
    }
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(FluidSequencerTest, FallsBackFromAChosenSoundFontThatDoesNotLoadAndSaysSo) {
    const std::string broken = write("broken.sf2", "not a SoundFont");
    FluidEngine engine({.soundFont = broken, .silent = true}, m_messages);
    FluidSequencer device(engine);
    device.open(write("song.kar", twoSecondSong()));
    ASSERT_FALSE(engine.soundFontName().empty()); // the system's, from the packages we need
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_EQ(m_messages.messages[0].text, "The SoundFont " + broken +
                                               " could not be loaded; the music plays with " +
                                               engine.soundFontName() + " instead.");
}

TEST(SoundFontCandidates, TriesTheChosenOneThenTheDefaultThenTheOthersByNameEachOnce) {
    QTemporaryDir folder;
    const auto path = [&](const char* name) { return folder.filePath(name).toStdString(); };
    for (const char* name : {"b.sf2", "a.SF3", "notes.txt", "c.sf2"})
        std::ofstream(path(name)) << "x";
    std::filesystem::create_symlink(path("c.sf2"), path("default-GM.sf2"));

    EXPECT_EQ(platform::qt::soundFontCandidates("/nowhere/mine.sf2", folder.path().toStdString()),
              (std::vector<std::string>{"/nowhere/mine.sf2", path("default-GM.sf2"), path("a.SF3"),
                                        path("b.sf2")}));
    EXPECT_EQ(platform::qt::soundFontCandidates(path("b.sf2"), folder.path().toStdString()),
              (std::vector<std::string>{path("b.sf2"), path("default-GM.sf2"), path("a.SF3")}));
    EXPECT_TRUE(platform::qt::soundFontCandidates("", "/nowhere").empty());
}
