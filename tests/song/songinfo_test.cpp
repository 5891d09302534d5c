#include "song/songinfo.h"

#include "song/readsong.h"
#include "support/karbuilder.h"

#include <gtest/gtest.h>

using namespace testsupport;
using platform::MessageIcon;

namespace {

std::string probeMessage(const std::string& prefix) {
    return prefix + "/SONGS/DEMO.KAR.  It is not a valid Karaoke file.";
}

std::string songWith(const TrackBuilder& info, const TrackBuilder& words) {
    return karFile(480, TrackBuilder().tempo(0, 500000).text(0, "@Tnot here").endOfTrack(), info,
                   words);
}

} // namespace

TEST(ReadSongInfo, JoinsTheTaggedLinesOfTheirOwnChunks) {
    TrackBuilder info;
    info.text(0, "@IFirst info").text(0, "@Tnot a title here").text(0, "@Isecond").endOfTrack();
    TrackBuilder words;
    words.text(0, "@TSong name").text(0, "@Iinfo not read here").text(0, "x@Tabc");
    words.text(0, "\\la").text(0, "@TSinger").endOfTrack();
    const InfoResult r = readSongInfo(songWith(info, words));
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.info, "First info\r\nsecond\r\n");
    EXPECT_EQ(r.title, "Song name\r\nTabc\r\nSinger\r\n");
}

TEST(ReadSongInfo, FindsTextEventsByTheirBytesWherEverTheyStand) {
    // The pair FF 01 inside a system exclusive message is taken for a text event, and the search
    // goes on two bytes further, so the length byte may start another match.
    TrackBuilder words;
    words.sysex(0, std::string("\xFF\x01\x05@Tab", 7) + "\xF7").endOfTrack();
    TrackBuilder longTitle;
    longTitle.text(0, "@T" + std::string(200, 't')).endOfTrack();
    EXPECT_EQ(readSongInfo(songWith(TrackBuilder().endOfTrack(), words)).title, "ab\xF7\r\n");
    EXPECT_EQ(readSongInfo(songWith(TrackBuilder().endOfTrack(), longTitle)).title,
              std::string(200, 't') + "\r\n");
}

TEST(ReadSongInfo, CollectsWhatAChunkHoldsUpToItsEnd) {
    const struct {
        std::string chunk;
        std::string expected;
    } cases[] = {
        {std::string("\x00\xFF\x01", 3), ""},                      // no length byte
        {std::string("\x00\xFF\x01\x81", 4), ""},                  // a length cut in two
        {std::string("\x00\xFF\x01\x09@Tshort", 11), "short\r\n"}, // fewer bytes than it says
        {std::string("\xFF\x01\x03@Tx\xFF\x01\x02@T", 11), "x\r\n\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(song::CollectTaggedLines(c.chunk, "@T"), c.expected);
}

TEST(ReadSongInfo, WritesOnlyWhatItReadBeforeAComplaint) {
    const std::string hdr = header(480);
    const std::string info = TrackBuilder().text(0, "@IThe info").endOfTrack().chunk();
    const std::string empty = TrackBuilder().endOfTrack().chunk();
    const struct {
        std::string file;
        std::string message;
        std::string info;
    } cases[] = {
        {"", probeMessage("Missing MIDI Header Track in "), "(untouched)"},
        {hdr, probeMessage("Missing MIDI Track 0 in "), "(untouched)"},
        {hdr + empty, probeMessage("Missing MIDI Track 1 in "), "(untouched)"},
        {hdr + empty + info, probeMessage("Missing MIDI Track 2 in "), "The info\r\n"},
        {hdr.substr(0, 6), probeMessage("Unexpected end of file in "), "(untouched)"},
        {hdr + empty + "MTrk\x00", probeMessage("Unexpected end of file in "), "(untouched)"},
        {hdr + empty + info + "MTrk", probeMessage("Unexpected end of file in "), "The info\r\n"},
    };
    for (const auto& c : cases) {
        const InfoResult r = readSongInfo(c.file);
        EXPECT_EQ(r.messages, (std::vector<ShownMessage>{{c.message, MessageIcon::Exclamation}}));
        EXPECT_EQ(r.info, c.info);
        EXPECT_EQ(r.title, "(untouched)");
        EXPECT_EQ(r.error, 0);
    }
}

TEST(ReadSongInfo, ReadsAChunkThatClaimsTooMuchOnlyUpToTheEndOfTheFile) {
    const auto claiming = [](std::uint32_t declared) {
        return header(480) + TrackBuilder().endOfTrack().chunk() +
               chunk("MTrk", TrackBuilder().text(0, "@IShort file").events(), declared);
    };
    const InfoResult past = readSongInfo(claiming(0x10000000));
    EXPECT_EQ(past.info, "Short file\r\n");
    EXPECT_EQ(past.messages.size(), 1u); // the third chunk would start past the end
    // Where the next chunk would start past 31 bits, the info is in and the position overflows.
    const InfoResult overflow = readSongInfo(claiming(0x7FFFFFF0));
    EXPECT_EQ(overflow.info, "Short file\r\n");
    EXPECT_EQ(overflow.error, platform::err::Overflow);
}

TEST(ReadSongInfo, RaisesOverflowForLengthsPastTheirWidth) {
    const std::string empty = TrackBuilder().endOfTrack().chunk();
    EXPECT_EQ(readSongInfo("MThd" + bigEndian32(0x80000000)).error, platform::err::Overflow);
    EXPECT_EQ(readSongInfo(header(480) + chunk("MTrk", "", 0x7FFFFFFF)).error,
              platform::err::Overflow);
    EXPECT_EQ(readSongInfo(header(480) + empty + chunk("MTrk", "", 0x90000000)).error,
              platform::err::Overflow);
}

TEST(ReadSongInfo, ReadsARealFileFromDisk) {
    std::string info = "x";
    std::string title = "y";
    RecordingMessageSink sink;
    song::ReadSongInfo(VT_TEST_DATA_DIR "/negra_sombra.kar", info, title, sink);
    EXPECT_TRUE(sink.messages.empty());
    // Its tags stand in the second chunk, where only "@I" lines count.
    EXPECT_EQ(info, "");
    EXPECT_EQ(title, "");
}
