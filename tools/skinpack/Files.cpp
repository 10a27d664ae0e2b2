#include "Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string LastError()
{
    return std::strerror(errno);
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(std::size_t(n));
    }
    return true;
}

// What a new file gets: the old file's permissions if there is one, else the usual ones less
// the umask.
mode_t ModeFor(const std::filesystem::path& path)
{
    struct stat old;
    if (::stat(path.c_str(), &old) == 0)
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReadFileUpTo(const std::filesystem::path& path, std::size_t limit, std::string* data, std::uintmax_t* size,
                  std::string* error)
{
    data->clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = LastError();
        return false;
    }
    struct stat status;
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (regular && std::uintmax_t(status.st_size) > limit) {
        *size = std::uintmax_t(status.st_size);
        ::close(fd);
        return true;
    }
    // Read to the end, whatever the size said, but never more than one byte past the limit.
    std::size_t chunk = regular ? std::size_t(status.st_size) + 1 : 65536;
    for (;;) {
        const std::size_t had = data->size();
        data->resize(had + std::min(chunk, limit + 1 - had));
        const ssize_t n = ::read(fd, data->data() + had, data->size() - had);
        data->resize(had + std::size_t(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = LastError();
            ::close(fd);
            return false;
        }
        if (n == 0 || data->size() > limit)
            break;
        chunk = 65536;
    }
    ::close(fd);
    *size = data->size();
    if (data->size() > limit)
        data->clear();
    return true;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view data, std::string* error)
{
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        *error = LastError();
        return false;
    }
    const bool written = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) == 0 && written && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    *error = written ? LastError() : std::strerror(writeErrno);
    ::unlink(temporary.c_str());
    return false;
}

bool WriteFile(const std::filesystem::path& path, std::string_view data, std::string* error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = LastError();
        return false;
    }
    const bool written = WriteAll(fd, data);
    const int writeErrno = errno;
    if (::close(fd) == 0 && written)
        return true;
    *error = written ? LastError() : std::strerror(writeErrno);
    ::unlink(path.c_str());
    return false;
}
