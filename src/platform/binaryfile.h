#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A file opened for binary reading. Opening never creates anything: a file that does not exist
// in an existing folder reads as an empty file, a missing folder is error 76 and a file that
// cannot be read (no permission, a folder) is error 75.
class BinaryFile {
public:
    explicit BinaryFile(const std::string& path);
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    std::int64_t size() const noexcept { return m_size; }

    // Up to count bytes from offset on; fewer (or none) where the file ends sooner.
    std::string readAt(std::int64_t offset, std::int64_t count) const;

    // The whole file with one read (at most 2 GiB - 1, as positions are 32-bit).
    std::string readAll() const;

private:
    int m_fd = -1;
    std::int64_t m_size = 0;
};

} // namespace platform
