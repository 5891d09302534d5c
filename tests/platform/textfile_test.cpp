#include "platform/textfile.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TextFileTest : public testing::Test {
protected:
    TextFileTest() {
        folder = fs::temp_directory_path() / ("vt-textfile-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    ~TextFileTest() override { fs::remove_all(folder); }

    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    int entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder), {}));
    }
    static int errorOf(const fs::path& path, const std::string& bytes) {
        try {
            platform::writeFileAtomically(path.string(), bytes);
        } catch (const platform::RuntimeError& e) {
            EXPECT_FALSE(e.detail().empty());
            return e.number();
        }
        return 0;
    }

    fs::path folder;
};

} // namespace

TEST_F(TextFileTest, ReplacesALongerFileWholeAndKeepsItsPermissions) {
    const fs::path file = folder / "lyrics.txt";
    put(file, std::string(1000, 'x'));
    ::chmod(file.c_str(), 0640);
    platform::writeFileAtomically(file.string(), std::string("a\r\nb\0c", 6));
    EXPECT_EQ(contents(file), std::string("a\r\nb\0c", 6));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(), 1) << "no temporary file left behind";
}

TEST_F(TextFileTest, WritesThroughALinkToTheFileItNames) {
    const fs::path file = folder / "real.txt";
    put(file, "old");
    fs::create_symlink(file, folder / "link.txt");
    platform::writeFileAtomically((folder / "link.txt").string(), "new");
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(contents(file), "new");
}

TEST_F(TextFileTest, FailuresNameTheirReasonAndLeaveNothingBehind) {
    EXPECT_EQ(errorOf(folder / "missing" / "lyrics.txt", "text"), platform::err::PathNotFound);
    EXPECT_EQ(errorOf(folder, "text"), platform::err::PathFileAccess) << "a folder";
    fs::create_directory(folder / "sub");
    EXPECT_EQ(errorOf(folder / "sub" / "", "text"), platform::err::PathNotFound);
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, AFailedWriteLeavesTheOldFileAsItWas) {
    const fs::path file = folder / "lyrics.txt";
    put(file, "old lyrics");
    // A file size limit makes the write itself fail, whoever runs the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const int error = errorOf(file, "new lyrics, longer than the limit");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, platform::err::PathFileAccess);
    EXPECT_EQ(contents(file), "old lyrics");
    EXPECT_EQ(entries(), 1);
}

TEST_F(TextFileTest, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write any file";
    const fs::path file = folder / "locked.txt";
    put(file, "kept");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(errorOf(file, "new"), platform::err::PathFileAccess);
    EXPECT_EQ(contents(file), "kept");
}
