#include "platform/textfile.h"

#include "platform/errors.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void fail(int systemError) {
    const int number =
        systemError == ENOENT || systemError == ENOTDIR ? err::PathNotFound : err::PathFileAccess;
    throw RuntimeError(number, std::strerror(systemError));
}

// A link to a file is followed, so that the file it names is replaced, not the link.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

mode_t permissionsFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            fail(EISDIR);
        if (::access(target.c_str(), W_OK) != 0)
            fail(errno);
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
        : m_path(folderOf(target) + "/." + nameOf(target) + ".XXXXXX") {
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        if (m_fd < 0)
            fail(errno);
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                fail(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    void finish(mode_t permissions) {
        if (::fchmod(m_fd, permissions) != 0 || ::fsync(m_fd) != 0)
            fail(errno);
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            fail(errno);
    }
    void moveTo(const std::string& target) {
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            fail(errno);
        m_kept = true;
    }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_kept = false;
};

} // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        fail(ENOENT);
    const std::string target = resolvedTarget(path);
    const mode_t permissions = permissionsFor(target);
    TemporaryFile file(target);
    file.write(bytes);
    file.finish(permissions);
    file.moveTo(target);
}

} // namespace platform
