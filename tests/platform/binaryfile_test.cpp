#include "platform/binaryfile.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int openError(const std::string& path) {
    try {
        platform::BinaryFile file(path);
    } catch (const platform::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(BinaryFile, ReadsOnlyWhatTheFileHolds) {
    const fs::path folder = fs::temp_directory_path() / ("vt-bin-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "five.bin", std::ios::binary) << "abcde";
    const platform::BinaryFile file((folder / "five.bin").string());
    EXPECT_EQ(file.size(), 5);
    EXPECT_EQ(file.readAll(), "abcde");
    EXPECT_EQ(file.readAt(3, 100), "de");
    EXPECT_EQ(file.readAt(5, 1), "");
    EXPECT_EQ(file.readAt(0x7FFFFFFF, 4), "");

    // A missing file reads as empty and is not created; a missing folder and a folder are errors.
    const platform::BinaryFile missing((folder / "missing.kar").string());
    EXPECT_EQ(missing.size(), 0);
    EXPECT_FALSE(fs::exists(folder / "missing.kar"));
    EXPECT_EQ(openError((folder / "nowhere" / "a.kar").string()), platform::err::PathNotFound);
    EXPECT_EQ(openError(folder.string()), platform::err::PathFileAccess);
    fs::remove_all(folder);
}
