#include "song/karreader.h"

#include "platform/errors.h"
#include "song/readsong.h"
#include "support/karbuilder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace testsupport;
using platform::MessageIcon;
using song::LyricEvent;
using song::TempoChange;

namespace {

const std::string Eot = TrackBuilder().endOfTrack().events();

std::string message(const std::string& prefix,
                    const std::string& suffix = ".  It is not a valid KAR file.") {
    return prefix + "/SONGS/DEMO.KAR" + suffix;
}

std::string wordsFile(const TrackBuilder& words, std::uint16_t division = 480) {
    return karFile(division, TrackBuilder().endOfTrack(), TrackBuilder().endOfTrack(), words);
}

// Eight syllables far apart: seven deltas of 2^28 - 1, then `lastDelta`.
TrackBuilder farWords(std::uint32_t lastDelta) {
    TrackBuilder words;
    words.text(0x0FFFFFFF, "\\a");
    for (const char* text : {"b", "c", "d", "e", "f", "g"})
        words.text(0x0FFFFFFF, text);
    words.text(lastDelta, "h").endOfTrack();
    return words;
}

} // namespace

TEST(ReadKar, TurnsMarkersIntoBreakKindsAndDropsTheFirstCharacter) {
    const struct {
        const char* text;
        const char* expectedText;
        std::int16_t expectedKind;
    } cases[] = {
        {"/Hello", "Hello", song::KindNewLine},
        {"\\Hello", "Hello", song::KindNewParagraph},
        {" Hello", " Hello", song::KindContinue},
        {"Hel/lo", "el/lo", song::KindNewLine},    // the marker stays, the first character goes
        {"/a\\b", "a\\b", song::KindNewParagraph}, // a backslash wins over a slash
        {"", "", song::KindContinue},
        {"/", "", song::KindNewLine},
        {"@t lower case", "@t lower case", song::KindContinue},
    };
    for (const auto& c : cases) {
        const KarResult r = readKar(simpleKar({"first", c.text}));
        ASSERT_TRUE(r.ok) << c.text;
        EXPECT_EQ(r.lyrics[2].Text, c.expectedText) << c.text;
        EXPECT_EQ(r.lyrics[2].Kind, c.expectedKind) << c.text;
    }
}

TEST(ReadKar, FramesTheSyllablesWithSentinelsAndOpensAParagraphFirst) {
    for (const char* first : {"plain", "/slashed", "\\back"}) {
        const KarResult r = readKar(simpleKar({first}, 120, 384));
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.lyrics.lower(), 0);
        ASSERT_EQ(r.lyrics.upper(), 2);
        EXPECT_EQ(r.lyrics[0], (LyricEvent{"     ", song::KindContinue, 0}));
        EXPECT_EQ(r.lyrics[1].Kind, song::KindNewParagraph) << first;
        EXPECT_EQ(r.lyrics[2], (LyricEvent{"     ", song::KindContinue, 384}));
        EXPECT_EQ(r.division, 384);
    }
}

TEST(ReadKar, CountsTheDeltasOfEveryEventInTheRunningTick) {
    TrackBuilder words;
    words
        .text(100, "@TTitle")               // dropped, its delta still counts
        .text(20, "\\One")                  // 120
        .channel(30, {0x90, 60, 100})       // 150
        .meta(50, 0x05, "lyric event")      // 200: type 5 is not a text event
        .text(0, " two")                    // 200
        .text(0, " three")                  // 200: same tick, file order kept
        .sysex(1000, std::string(300, 'x')) // 1200
        .text(0x0FFFFFFF - 1200, "/far")    // a four-byte delta
        .text(0, "x@Iinfo")                 // dropped: the tag may stand anywhere
        .text(0, "a@L")
        .text(0, "@W")
        .endOfTrack();
    const KarResult r = readKar(wordsFile(words));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.texts(),
              (std::vector<std::string>{"     ", "One", " two", " three", "far", "     "}));
    const std::vector<std::int32_t> ticks{0, 120, 200, 200, 0x0FFFFFFF, 0x0FFFFFFF + 480};
    for (int i = 0; i <= r.lyrics.upper(); ++i)
        EXPECT_EQ(r.lyrics[i].Tick, ticks[static_cast<std::size_t>(i)]) << i;
}

TEST(ReadKar, ReadsTheTempoMapOfTheFirstTrackOnly) {
    TrackBuilder tempo;
    tempo.tempo(0, 600000)
        .meta(0, 0x02, std::string(200, 'c')) // a long copyright: its length takes two bytes
        .tempo(1920, 400000)
        .endOfTrack();
    TrackBuilder info;
    info.tempo(10, 123456).text(0, "@Isome info").endOfTrack();
    TrackBuilder words;
    words.tempo(0, 999999).text(0, "\\la").endOfTrack();
    const KarResult r = readKar(karFile(480, tempo, info, words));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.tempos.count(), 2);
    EXPECT_EQ(r.tempos[1], (TempoChange{600000, 0}));
    EXPECT_EQ(r.tempos[2], (TempoChange{400000, 1920}));
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"     ", "la", "     "}));
}

TEST(ReadKar, GivesTheDefaultTempoWhenTheFirstTrackHasNone) {
    const KarResult r = readKar(simpleKar({"la"}));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.tempos.count(), 1);
    EXPECT_EQ(r.tempos[1], (TempoChange{500000, 0}));
}

TEST(ReadKar, ReadsExactlyThreeTempoBytesWhateverTheLengthSays) {
    TrackBuilder tempo;
    tempo.raw(std::string("\x00\xFF\x51\x01\x07\xA1\x20", 7)).tempo(10, 250000).endOfTrack();
    const KarResult r = readKar(karFile(480, tempo, TrackBuilder().endOfTrack(),
                                        TrackBuilder().text(0, "la").endOfTrack()));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.tempos.count(), 2);
    EXPECT_EQ(r.tempos[1], (TempoChange{500000, 0}));
    EXPECT_EQ(r.tempos[2], (TempoChange{250000, 10}));
}

TEST(ReadKar, TakesLongTextsWithTwoByteLengths) {
    const std::string verse(300, 'v');
    const KarResult r = readKar(simpleKar({"/la", verse, "after"}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lyrics[2].Text, verse);
    EXPECT_EQ(r.lyrics[3].Text, "after");
    EXPECT_EQ(r.lyrics[3].Tick, 240);
}

TEST(ReadKar, RepeatsTheLastChannelStatusForADataByte) {
    TrackBuilder words;
    words
        .channel(0, {0x45})           // a data byte before any status: skipped alone
        .text(10, "\\one")            // 10
        .channel(10, {0x90, 60, 100}) // 20
        .channel(10, {62, 100})       // 30: running note-on, two data bytes
        .meta(0, 0x03, "name")        // meta events leave running status in force
        .channel(10, {64, 0})         // 40
        .text(10, " two")             // 50
        .channel(5, {0xC1, 7})        // 55: program change
        .channel(5, {9})              // 60: running program change, one data byte
        .sysex(0, "abc")
        .channel(5, {10})  // 65
        .text(5, " three") // 70
        .endOfTrack();
    const KarResult r = readKar(wordsFile(words));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"     ", "one", " two", " three", "     "}));
    EXPECT_EQ(r.lyrics[1].Tick, 10);
    EXPECT_EQ(r.lyrics[2].Tick, 50);
    EXPECT_EQ(r.lyrics[3].Tick, 70);
}

TEST(ReadKar, FindsTheChunksByTheirLengthsAndTheDivisionAtItsFixedPlace) {
    const std::string words = TrackBuilder().text(0, "\\la").endOfTrack().chunk();
    // A ten-byte header: the first chunk starts at 18, the division still comes from bytes 12-13.
    std::string file =
        "MThd" + bigEndian32(10) + bigEndian16(1) + bigEndian16(3) + bigEndian16(96) + "xxxx";
    // The tempo track's walk stops at its end-of-track event; the reader goes on after the
    // declared end, skipping the junk behind it.
    file += chunk("MTrk", TrackBuilder().tempo(0, 700000).endOfTrack().events() + "junk");
    file += chunk("MTrk", TrackBuilder().text(0, "/not a lyric").endOfTrack().events());
    // The words track's declared length is wrong; it is read up to its end-of-track event.
    file += chunk("MTrk", TrackBuilder().text(0, "\\la").text(5, " di").endOfTrack().events(), 3);
    const KarResult r = readKar(file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.division, 96);
    EXPECT_EQ(r.tempos[1], (TempoChange{700000, 0}));
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"     ", "la", " di", "     "}));
    (void)words;
}

TEST(ReadKar, NamesWhatIsMissingInItsMessage) {
    const std::string hdr = header(480);
    const std::string track = TrackBuilder().endOfTrack().chunk();
    const std::string lyricless =
        TrackBuilder().meta(0, 0x05, "words").text(0, "@Ttitle").endOfTrack().chunk();
    const struct {
        std::string file;
        std::string expected;
    } cases[] = {
        {"", message("Missing MIDI Header Track in ")},
        {"RIFF" + hdr.substr(4), message("Missing MIDI Header Track in ")},
        {hdr, message("Missing MIDI Track 0 in ")},
        {hdr + "MTrX" + track.substr(4), message("Missing MIDI Track 0 in ")},
        {hdr + track, message("Missing MIDI Track 1 in ")},
        {hdr + track + track, message("Missing MIDI Track 2 in ")},
        {hdr + track + track + lyricless, message("No lyrics in ")},
        {hdr + track + track + track, message("No lyrics in ")},
    };
    for (const auto& c : cases) {
        const KarResult r = readKar(c.file);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.messages, (std::vector<ShownMessage>{{c.expected, MessageIcon::Exclamation}}));
    }
}

TEST(ReadKar, UpperCasesThePathInItsMessages) {
    const KarResult r = readKar("", "/home/zoë/Canción.kar");
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              "Missing MIDI Header Track in /HOME/ZOË/CANCIÓN.KAR.  It is not a valid KAR file.");
}

TEST(ReadKar, ReportsAFileCutShortWhereverItEnds) {
    const std::string whole = simpleKar({"\\Twin", "kle", " twin", "kle"});
    // The header is 14 bytes; the first chunk's tag, length and end-of-track follow.
    for (const std::size_t length :
         {std::size_t{4}, std::size_t{6}, std::size_t{13}, std::size_t{20}, std::size_t{23},
          std::size_t{25}, whole.size() - 9, whole.size() - 2}) {
        const KarResult r = readKar(whole.substr(0, length));
        EXPECT_FALSE(r.ok) << length;
        EXPECT_EQ(r.messages, (std::vector<ShownMessage>{{message("Unexpected end of file in "),
                                                          MessageIcon::Exclamation}}))
            << length;
    }
}

TEST(ReadKar, FailsWithOneMessageOnEveryTruncationOfAGoodFile) {
    TrackBuilder words;
    words.text(0, "@Ttitle").channel(0, {0x90, 60, 90}).text(10, "\\la").channel(1, {61, 90});
    words.sysex(0, "xyz").text(200, std::string(130, 'l')).endOfTrack();
    TrackBuilder tempo;
    tempo.tempo(0, 500000).meta(0, 0x02, std::string(140, 'c')).tempo(960, 450000).endOfTrack();
    const std::string whole = karFile(480, tempo, TrackBuilder().endOfTrack(), words);
    for (std::size_t length = 0; length + 1 < whole.size(); ++length) {
        const KarResult r = readKar(whole.substr(0, length));
        EXPECT_FALSE(r.ok) << length;
        EXPECT_EQ(r.error, 0) << length;
        EXPECT_EQ(r.messages.size(), 1u) << length;
    }
    // Real files sometimes lack the final end-of-track's length byte: the words are complete.
    EXPECT_TRUE(readKar(whole.substr(0, whole.size() - 1)).ok);
    EXPECT_TRUE(readKar(whole).ok);
}

TEST(ReadKar, RaisesOverflowForValuesPastTheirWidths) {
    const std::string eot = TrackBuilder().endOfTrack().chunk();
    const std::string words = TrackBuilder().text(0, "\\la").endOfTrack().chunk();
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"an SMPTE division", header(0xE728) + eot + eot + words},
        {"a header length past 31 bits",
         "MThd" + bigEndian32(0x80000000) + header(480).substr(8) + eot + eot + words},
        {"a first chunk length past 31 bits", header(480) + chunk("MTrk", Eot, 0x80000000)},
        {"a second chunk length past 31 bits", header(480) + eot + chunk("MTrk", Eot, 0x80000000)},
        {"a chunk end past 31 bits", header(480) + eot + chunk("MTrk", Eot, 0x7FFFFFFF)},
        {"a delta past 31 bits",
         header(480) + eot + eot + chunk("MTrk", std::string("\x88\x80\x80\x80\x00", 5) + Eot)},
        {"a running tick past 31 bits", header(480) + eot + eot + farWords(0x0FFFFFFF).chunk()},
        {"a trailing sentinel past 31 bits",
         header(480) + eot + eot + farWords(0x0FFFFFFF - 200).chunk()},
    };
    for (const auto& c : cases) {
        const KarResult r = readKar(c.file);
        EXPECT_EQ(r.error, platform::err::Overflow) << c.what;
        EXPECT_TRUE(r.messages.empty()) << c.what;
    }
}

TEST(ReadKar, AcceptsTheLargestDivisionAndTheLatestTick) {
    const TrackBuilder words = farWords(0x7FFFFFFF - 0x7FFF - 7 * 0x0FFFFFFF);
    const KarResult r = readKar(wordsFile(words, 0x7FFF));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.division, 32767);
    EXPECT_EQ(r.lyrics[r.lyrics.upper()].Tick, 2147483647);
}

TEST(ReadKar, HoldsAtMost32766SyllablesAnd32767TempoChanges) {
    const auto lyricsFile = [](int count) {
        TrackBuilder words;
        for (int i = 0; i < count; ++i)
            words.text(1, "la");
        return wordsFile(words.endOfTrack());
    };
    const KarResult most = readKar(lyricsFile(32766));
    ASSERT_TRUE(most.ok);
    EXPECT_EQ(most.lyrics.upper(), 32767);
    EXPECT_EQ(readKar(lyricsFile(32767)).error, platform::err::Overflow);

    const auto tempoFile = [](int count) {
        TrackBuilder tempo;
        for (int i = 0; i < count; ++i)
            tempo.tempo(1, 500000);
        return karFile(480, tempo.endOfTrack(), TrackBuilder().endOfTrack(),
                       TrackBuilder().text(0, "la").endOfTrack());
    };
    const KarResult tempos = readKar(tempoFile(32767));
    ASSERT_TRUE(tempos.ok);
    EXPECT_EQ(tempos.tempos.upper(), 32767);
    EXPECT_EQ(readKar(tempoFile(32768)).error, platform::err::Overflow);
}

TEST(ReadKar, ReadsTheWordsOfARealSoftKaraokeFileAtTheirTrueTicks) {
    // Checked against an independent reader of the whole file: 176 syllables, running status in
    // the music tracks, the words in the third chunk.
    KarResult r;
    RecordingMessageSink sink;
    ASSERT_TRUE(
        song::ReadKar(VT_TEST_DATA_DIR "/negra_sombra.kar", r.lyrics, r.division, r.tempos, sink));
    EXPECT_EQ(r.division, 480);
    EXPECT_EQ(r.lyrics.upper(), 177);
    EXPECT_EQ(r.lyrics[1], (LyricEvent{"Can", song::KindNewParagraph, 15840}));
    EXPECT_EQ(r.lyrics[9], (LyricEvent{"ne", song::KindNewLine, 18720}));
    EXPECT_EQ(r.lyrics[176], (LyricEvent{" la", song::KindContinue, 89280}));
    EXPECT_EQ(r.lyrics[177].Tick, 89760);
    EXPECT_EQ(r.tempos.count(), 6);
    EXPECT_EQ(r.tempos[2], (TempoChange{2000000, 3917}));
}

TEST(ReadKar, SaysNoLyricsForRealFilesWithWordsElsewhere) {
    for (const char* name : {"twinkle.kar", "test-karaoke-kar.mid"}) {
        const std::string path = std::string(VT_TEST_DATA_DIR "/") + name;
        song::LyricArray lyrics = song::makeLyricArray();
        song::TempoArray tempos = song::makeTempoArray();
        std::int16_t division = 0;
        RecordingMessageSink sink;
        EXPECT_FALSE(song::ReadKar(path, lyrics, division, tempos, sink));
        ASSERT_EQ(sink.messages.size(), 1u) << name;
        EXPECT_EQ(sink.messages[0].text.rfind("No lyrics in ", 0), 0u) << name;
    }
}
