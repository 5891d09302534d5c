// Replays the fuzzing corpus and the real files through both readers: whatever the bytes, each
// either succeeds with a well-formed song, tells the user once why not, or raises a numbered
// run-time error.

#include "platform/errors.h"
#include "song/readsong.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace testsupport;

namespace {

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::filesystem::path> replayFiles() {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {VT_FUZZ_CORPUS_DIR, VT_TEST_DATA_DIR})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() != ".md")
                files.push_back(entry.path());
    return files;
}

void expectWellFormed(const KarResult& r, const std::string& name) {
    ASSERT_EQ(r.lyrics.lower(), 0) << name;
    const int last = r.lyrics.upper();
    ASSERT_GE(last, 2) << name;
    EXPECT_EQ(r.lyrics[0], (song::LyricEvent{song::SentinelText, song::KindContinue, 0})) << name;
    EXPECT_EQ(r.lyrics[1].Kind, song::KindNewParagraph) << name;
    EXPECT_EQ(r.lyrics[last].Text, song::SentinelText) << name;
    EXPECT_EQ(r.lyrics[last].Tick, r.lyrics[last - 1].Tick + r.division) << name;
    for (int i = 2; i < last; ++i)
        EXPECT_LE(r.lyrics[i - 1].Tick, r.lyrics[i].Tick) << name << " at " << i;
    EXPECT_GE(r.tempos.count(), 1) << name;
    EXPECT_GE(r.division, 0) << name;
}

} // namespace

TEST(SongCorpus, EveryFileIsReadOrRejectedCleanly) {
    const auto files = replayFiles();
    ASSERT_GE(files.size(), 8u);
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        const std::string bytes = contents(file);
        const KarResult kar = readKar(bytes);
        if (kar.ok) {
            EXPECT_TRUE(kar.messages.empty()) << name;
            expectWellFormed(kar, name);
        } else {
            EXPECT_EQ(kar.messages.size() + (kar.error != 0 ? 1u : 0u), 1u) << name;
        }
        const InfoResult info = readSongInfo(bytes);
        EXPECT_LE(info.messages.size() + (info.error != 0 ? 1u : 0u), 1u) << name;
    }
}
