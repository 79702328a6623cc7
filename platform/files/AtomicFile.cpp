#include "platform/files/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmo::platform {

namespace {

void setError(std::string* error, const std::string& what, int errorNumber)
{
    if (error)
        *error = what + ": " + std::strerror(errorNumber);
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error,
                         Durability durability)
{
    // The temporary file sits beside the target so the rename never crosses
    // a file system; mkstemp keeps two writers from sharing one.
    std::string temporary = path + ".XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        setError(error, "cannot create a temporary file beside " + path, errno);
        return false;
    }

    // Keep the permissions of the file being replaced, else the usual 0644.
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    bool ok = writeAll(fd, bytes);
    int savedErrno = errno;
    if (ok && durability == Durability::Synced && ::fsync(fd) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        setError(error, "cannot write " + path, savedErrno);
        return false;
    }

    if (durability == Durability::Unsynced)
        return true;

    // Make the rename itself durable.
    std::string folder = path.substr(0, path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/'));
    int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t limit)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        std::size_t room = limit - bytes.size();
        if (room == 0)
            break;
        ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, room));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::close(fd);
    return bytes;
}

} // namespace pelmo::platform
