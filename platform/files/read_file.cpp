#include "platform/files/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks::files {

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

// Reads to the end; the size fstat gave is only a hint (a file may grow while read).
Outcome readToEnd(int fd, std::size_t sizeHint, std::string& bytes, std::size_t maxBytes)
{
    const std::size_t limit = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;   // one more byte tells "too large"
    std::string buffer(std::min(std::max<std::size_t>(sizeHint + 1, 4096), limit), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == buffer.size()) {
            if (got >= limit)
                break;
            buffer.resize(std::min(limit, got * 2));
        }
        std::size_t asked = buffer.size() - got;
        ssize_t n = ::read(fd, buffer.data() + got, asked);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Outcome::failure(errno);
        if (n == 0)
            break;
        got += std::size_t(n);
        // A short read that ends exactly at the size fstat gave is the end: no read of nothing
        // is needed to learn it (files of the system's own folders give size 0 or a page, and
        // short reads before their end, so they still read on).
        if (std::size_t(n) < asked && sizeHint > 0 && got == sizeHint)
            break;
    }
    if (got > maxBytes)
        return Outcome::failure(EFBIG, "file too large");
    buffer.resize(got);
    bytes = std::move(buffer);
    return {};
}

}

Outcome readFile(const std::string& path, std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
    if (path.empty())
        return Outcome::failure(ENOENT, "no file name given");
    // Non-blocking so that a pipe given as a file name cannot hang the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Outcome::failure(errno);
    FdCloser closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return Outcome::failure(errno);
    if (S_ISDIR(st.st_mode))
        return Outcome::failure(EISDIR, "it is a folder");
    if (!S_ISREG(st.st_mode))
        return Outcome::failure(EINVAL, "it is not a regular file");
    if (std::uint64_t(st.st_size) > maxBytes)
        return Outcome::failure(EFBIG, "file too large");
    return readToEnd(fd, std::size_t(st.st_size), bytes, maxBytes);
}

}
