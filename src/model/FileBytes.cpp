#include "model/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "model/TextConcat.h"

namespace qnetica {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + total, bytes.size() - total);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        total += static_cast<std::size_t>(put);
    }
    return true;
}

// The mode a new file gets from the umask, or that of the file being replaced.
mode_t TargetMode(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int ReadFileStart(const std::string& path, std::size_t limit, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    bytes.clear();
    // In pieces, so that a small file never costs the memory of the limit.
    std::string piece(std::size_t{1} << 16, '\0');
    int error = 0;
    while (bytes.size() < limit) {
        const std::size_t wanted = std::min(piece.size(), limit - bytes.size());
        const ssize_t got = ::read(fd, piece.data(), wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        bytes.append(piece.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (error != 0) bytes.clear();
    return error;
}

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target(path);
    const auto folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temp = (folder / Concat({".", target.filename().string(), ".XXXXXX"})).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return errno;
    int error = 0;
    if (!WriteAll(fd, bytes) || ::fchmod(fd, TargetMode(path)) != 0 || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) ::unlink(temp.c_str());
    return error;
}

}  // namespace qnetica
