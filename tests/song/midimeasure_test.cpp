#include "song/midimeasure.h"
#include "song/songpointer.h"

#include "platform/errors.h"
#include "support/karbuilder.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using song::MidiFault;
using testsupport::TrackBuilder;

namespace {

std::string midi(std::initializer_list<TrackBuilder> tracks, std::uint16_t division = 480) {
    std::string file = testsupport::header(division, static_cast<std::uint16_t>(tracks.size()));
    for (const TrackBuilder& track : tracks)
        file += track.chunk();
    return file;
}

std::string oneTrack(std::string_view events) {
    return testsupport::header(480, 1) + testsupport::chunk("MTrk", events);
}

struct Case {
    const char* what;
    std::string bytes;
    MidiFault fault;
    std::int32_t lengthTicks;
};

} // namespace

TEST(MeasureMidiFile, TakesTheLargestEndOfTrackTickAndRefusesWhatCannotBePlayed) {
    const std::string eot = testsupport::varLength(0) + "\xFF\x2F" + std::string(1, '\0');
    const Case cases[] = {
        {"the longest track sets the length",
         midi({TrackBuilder().tempo(0, 500000).endOfTrack(10),
               TrackBuilder().channel(0, {0x90, 60, 100}).channel(3000, {0x80, 60, 0}).endOfTrack(),
               TrackBuilder().text(960, "/la").endOfTrack(40)}),
         MidiFault::None, 3000},
        {"running status carries the note's two data bytes",
         oneTrack(testsupport::varLength(0) + "\x90\x3C\x64" + testsupport::varLength(480) +
                  "\x3C" + std::string(1, '\0') + testsupport::varLength(480) + "\x3E\x64" + eot),
         MidiFault::None, 960},
        {"running status of a program change carries one data byte",
         oneTrack(testsupport::varLength(0) + "\xC0\x05" + testsupport::varLength(100) + "\x06" +
                  eot),
         MidiFault::None, 100},
        {"running status survives a meta event",
         midi({TrackBuilder()
                   .channel(0, {0x90, 60, 100})
                   .text(10, "x")
                   .channel(470, {60, 0})
                   .endOfTrack()}),
         MidiFault::None, 480},
        {"the end-of-track event's own delta counts",
         midi({TrackBuilder().channel(0, {0x90, 60, 100}).endOfTrack(1000)}), MidiFault::None,
         1000},
        {"what follows the end-of-track event is ignored",
         oneTrack(testsupport::varLength(50) + "\xFF\x2F" + std::string(1, '\0') +
                  testsupport::varLength(5000) + "\x90\x40\x40"),
         MidiFault::None, 50},
        {"a track without an end-of-track event ends with its last event",
         midi({TrackBuilder().channel(0, {0x90, 60, 100}).channel(700, {0x80, 60, 0})}),
         MidiFault::None, 700},
        {"a chunk longer than the file is read to the end of the file",
         testsupport::header(480, 1) +
             testsupport::chunk(
                 "MTrk", TrackBuilder().channel(0, {0x90, 1, 1}).endOfTrack(99).events(), 1000),
         MidiFault::None, 99},
        {"a song without tracks has no length", testsupport::header(480, 0), MidiFault::None, 0},

        {"another kind of file", "RIFF" + midi({TrackBuilder().endOfTrack()}), MidiFault::NoHeader,
         0},
        {"a header of another length",
         "MThd" + testsupport::bigEndian32(8) + std::string(8, '\1') +
             TrackBuilder().endOfTrack().chunk(),
         MidiFault::NoHeader, 0},
        {"a file cut inside its header", std::string("MThd\0\0\0\6\0\1", 10), MidiFault::NoHeader,
         0},
        {"an SMPTE time base", midi({TrackBuilder().endOfTrack()}, 0xE728),
         MidiFault::FramesPerSecond, 0},
        {"a time base of zero", midi({TrackBuilder().endOfTrack()}, 0), MidiFault::NoDivision, 0},
        {"fewer tracks than announced",
         testsupport::header(480, 3) + TrackBuilder().endOfTrack().chunk(), MidiFault::MissingTrack,
         0},
        {"a foreign chunk among the tracks",
         testsupport::header(480, 2) + testsupport::chunk("XFIH", "abcd") +
             TrackBuilder().endOfTrack().chunk(),
         MidiFault::MissingTrack, 0},
        {"running status after a system exclusive message",
         midi({TrackBuilder()
                   .channel(0, {0x90, 60, 100})
                   .sysex(10, "\x01\xF7")
                   .channel(5, {60, 0})}),
         MidiFault::BadEvent, 0},
        {"data before any status", midi({TrackBuilder().channel(0, {60, 100}).endOfTrack()}),
         MidiFault::BadEvent, 0},
        {"a real-time status byte", midi({TrackBuilder().channel(0, {0xF8}).endOfTrack()}),
         MidiFault::BadEvent, 0},
        {"a tempo of two bytes", midi({TrackBuilder().meta(0, 0x51, "\x07\xA1").endOfTrack()}),
         MidiFault::BadEvent, 0},
        {"a time signature of two bytes",
         midi({TrackBuilder().meta(0, 0x58, "\x04\x02").endOfTrack()}), MidiFault::BadEvent, 0},
        {"an end-of-track event with data", midi({TrackBuilder().meta(0, 0x2F, "x")}),
         MidiFault::BadEvent, 0},
        {"an event cut off by the end of its chunk",
         midi({TrackBuilder().channel(0, {0x90, 60, 100}).channel(480, {0x80, 60})}),
         MidiFault::UnexpectedEnd, 0},
        {"a meta event longer than its chunk",
         oneTrack(testsupport::varLength(0) + "\xFF\x01\x7Fxx"), MidiFault::UnexpectedEnd, 0},
        {"ticks past 32 bits", midi({[] {
             TrackBuilder track;
             track.channel(0x0FFFFFFF, {0x90, 1, 1});
             for (int i = 0; i < 16; ++i)
                 track.channel(0x0FFFFFFF, {1, 1});
             return track;
         }()}),
         MidiFault::TooLong, 0},
    };
    for (const Case& c : cases) {
        const song::MidiMeasure measured = song::measureMidiFile(c.bytes);
        EXPECT_EQ(measured.fault, c.fault) << c.what;
        EXPECT_EQ(measured.lengthTicks, c.lengthTicks) << c.what;
        if (c.fault == MidiFault::None) {
            EXPECT_EQ(measured.division, 480) << c.what;
        }
    }
}

TEST(MeasureMidiFile, FindsTheFastestTempoOfAnyTrack) {
    EXPECT_EQ(song::measureMidiFile(midi({TrackBuilder().endOfTrack()})).fastestTempo, 500000);
    const std::string file = midi({TrackBuilder().tempo(0, 600000).tempo(100, 250000).endOfTrack(),
                                   TrackBuilder().tempo(50, 300000).endOfTrack()});
    EXPECT_EQ(song::measureMidiFile(file).fastestTempo, 250000);
}

TEST(SongPointer, CountsSixteenthNotesTruncating) {
    struct Row {
        std::int32_t tick;
        std::int16_t division;
        std::int32_t position;
    };
    for (const Row& row : {Row{1920, 480, 16}, Row{119, 480, 0}, Row{120, 480, 1},
                           Row{3840, 480, 32}, Row{23, 90, 1}, Row{22, 90, 0}, Row{1, 1, 4}}) {
        EXPECT_EQ(song::songPointerOfTick(row.tick, row.division), row.position)
            << row.tick << " / " << row.division;
    }
}

TEST(SongPointer, RefusesAZeroDivisionAndAPositionPast32Bits) {
    const auto errorOf = [](auto call) {
        try {
            call();
        } catch (const platform::RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf([] { song::songPointerOfTick(10, 0); }), platform::err::DivisionByZero);
    EXPECT_EQ(errorOf([] { song::songPointerOfTick(std::numeric_limits<std::int32_t>::max(), 1); }),
              platform::err::Overflow);
}

TEST(SongPointer, StartTickIsTheFirstTickThatReadsBackThePosition) {
    const std::int16_t divisions[] = {4, 90, 96, 100, 120, 384, 480, 960};
    for (const std::int16_t division : divisions) {
        for (std::int32_t position = 1; position <= 200; ++position) {
            const std::int32_t tick = song::tickOfSongPointer(position, division);
            ASSERT_EQ(song::songPointerOfTick(tick, division), position) << division;
            ASSERT_EQ(song::songPointerOfTick(tick - 1, division), position - 1) << division;
        }
    }
    EXPECT_EQ(song::tickOfSongPointer(0, 480), 0);
    EXPECT_EQ(song::tickOfSongPointer(-5, 480), 0);
}
