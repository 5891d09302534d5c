#include "browser/commandline.h"

#include "support/karbuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

class TempSong {
public:
    explicit TempSong(const std::string& bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 ("vt-dump-" + std::to_string(::getpid()) + ".kar")) {
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~TempSong() { std::filesystem::remove(m_path); }
    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

struct DumpRun {
    int code;
    std::string out;
    std::string err;
};

DumpRun dump(const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = browser::RunDump(path, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(RunDump, PrintsTheSongWithItsTitleAndInfo) {
    using namespace testsupport;
    const TempSong song(karFile(96, TrackBuilder().endOfTrack(),
                                TrackBuilder().text(0, "@IAn info").endOfTrack(),
                                TrackBuilder().text(0, "@TA title").text(0, "/La").endOfTrack()));
    const DumpRun run = dump(song.path());
    EXPECT_EQ(run.code, browser::ExitOk);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, R"({"division":96,"tempos":[{"tempo":500000,"tick":0}],"lyrics":[)"
                       R"({"text":"     ","kind":0,"tick":0},{"text":"La","kind":2,"tick":0},)"
                       R"({"text":"     ","kind":0,"tick":96}],"lines":[{"text":"La","kind":2}],)"
                       R"("title":"A title\u000d\u000a","info":"An info\u000d\u000a"})"
                       "\n");
}

TEST(RunDump, ExitsOneWithTheReadersMessageAndTwoWithARuntimeError) {
    using namespace testsupport;
    const TempSong lyricless(simpleKar({"@Tonly a title"}));
    const DumpRun rejected = dump(lyricless.path());
    EXPECT_EQ(rejected.code, browser::ExitRejected);
    EXPECT_EQ(rejected.out, "");
    EXPECT_NE(rejected.err.find("No lyrics in "), std::string::npos);
    EXPECT_NE(rejected.err.find(".KAR.  It is not a valid KAR file.\n"), std::string::npos);

    const TempSong smpte(header(0xE728) + TrackBuilder().endOfTrack().chunk());
    const DumpRun overflow = dump(smpte.path());
    EXPECT_EQ(overflow.code, browser::ExitRuntimeError);
    EXPECT_EQ(overflow.out, "");
    EXPECT_EQ(overflow.err, "Error 6: Overflow\n");

    EXPECT_EQ(dump("/no/such/folder/song.kar").err,
              "Error 76: Path not found (/no/such/folder/song.kar)\n");
}

TEST(StripQuotes, RemovesOnePairAroundThePath) {
    EXPECT_EQ(browser::stripQuotes("\"/songs/My Song.kar\""), "/songs/My Song.kar");
    EXPECT_EQ(browser::stripQuotes("/songs/plain.kar"), "/songs/plain.kar");
    EXPECT_EQ(browser::stripQuotes("\""), "\"");
    EXPECT_EQ(browser::stripQuotes("\"half.kar"), "\"half.kar");
}

namespace {

struct ExportRun {
    int code;
    std::string err;
    std::string written;
};

ExportRun exportTo(const std::string& song, const std::filesystem::path& out) {
    std::ostringstream err;
    const int code = browser::RunExport(song, out.string(), err);
    std::ifstream in(out, std::ios::binary);
    return {code, err.str(), {std::istreambuf_iterator<char>(in), {}}};
}

std::filesystem::path exportPath() {
    return std::filesystem::temp_directory_path() /
           ("vt-export-" + std::to_string(::getpid()) + ".txt");
}

} // namespace

TEST(RunExport, WritesOneTextLinePerSongLineOverWhateverTheFileHeld) {
    using namespace testsupport;
    const TempSong song(
        karFile(480, TrackBuilder().endOfTrack(), TrackBuilder().endOfTrack(),
                TrackBuilder()
                    .text(0, "@TTitle")
                    .text(0, "\\Twin")
                    .text(120, "kle twin")
                    .text(120, "kle little star, a line much too long for any pane at all      ")
                    .text(120, "/How I")
                    .text(120, " wonder")
                    .text(120, "\\Up above")
                    .endOfTrack()));
    const auto out = exportPath();
    std::ofstream(out, std::ios::binary) << std::string(500, 'x');
    const ExportRun run = exportTo(song.path(), out);
    std::filesystem::remove(out);
    EXPECT_EQ(run.code, browser::ExitOk);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.written,
              "\r\n\r\nTwinkle twinkle little star, a line much too long for any pane at all"
              "\r\nHow I wonder\r\n\r\nUp above");
}

TEST(RunExport, ExitsOneWithTheReadersMessageAndTwoWhenTheFileCannotBeWritten) {
    using namespace testsupport;
    const auto out = exportPath();
    const TempSong lyricless(simpleKar({"@Tonly a title"}));
    const ExportRun rejected = exportTo(lyricless.path(), out);
    EXPECT_EQ(rejected.code, browser::ExitRejected);
    EXPECT_NE(rejected.err.find("No lyrics in "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));

    const TempSong song(simpleKar({"La"}));
    const ExportRun unwritable = exportTo(song.path(), "/no/such/folder/out.txt");
    EXPECT_EQ(unwritable.code, browser::ExitRuntimeError);
    EXPECT_EQ(unwritable.err, "Error 76: Path not found (No such file or directory)\n");
}
