#include "platform/binaryfile.h"

#include "platform/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::int64_t MaxAddressable = std::numeric_limits<std::int32_t>::max();

std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

BinaryFile::BinaryFile(const std::string& path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        const int openError = errno;
        if (openError == ENOENT && isFolder(parentFolder(path)))
            return; // an empty file
        if (openError == ENOENT || openError == ENOTDIR)
            throw RuntimeError(err::PathNotFound, path);
        throw RuntimeError(err::PathFileAccess, path + ": " + std::strerror(openError));
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw RuntimeError(err::PathFileAccess, path);
    }
    m_size = static_cast<std::int64_t>(info.st_size);
}

BinaryFile::~BinaryFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string BinaryFile::readAt(std::int64_t offset, std::int64_t count) const {
    if (m_fd < 0 || offset < 0 || count <= 0 || offset >= m_size)
        return {};
    const std::int64_t wanted = std::min({count, m_size - offset, MaxAddressable});
    std::string bytes(static_cast<std::size_t>(wanted), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, bytes.size() - done,
                                    static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw RuntimeError(err::PathFileAccess, std::strerror(errno));
        if (got == 0)
            break; // the file shrank under us: what we have is all there is
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

std::string BinaryFile::readAll() const {
    return readAt(0, m_size);
}

} // namespace platform
