#include "platform/workbook/engine/atomic_file.h"

#include "platform/workbook/engine/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ks::workbook {

namespace {
std::string tempPathBeside(const std::string& path)
{
    std::filesystem::path target(path);
    std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
    std::string pattern = dir + "/." + target.filename().string() + ".XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        raise(kErrFileWrite, "Cannot write \"" + path + "\": " + std::strerror(errno));
    ::close(fd);
    return pattern;
}

void commit(const std::string& temp, const std::string& path)
{
    // Keep the permissions an existing file had.
    std::error_code ec;
    auto perms = std::filesystem::status(path, ec).permissions();
    if (ec || !std::filesystem::exists(path))
        perms = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read | std::filesystem::perms::others_read;
    std::filesystem::permissions(temp, perms, ec);
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        std::remove(temp.c_str());
        raise(kErrFileWrite, "Cannot write \"" + path + "\": " + reason);
    }
}
}

void writeFileAtomically(const std::string& path, const std::string& bytes)
{
    replaceFileAtomically(path, [&](const std::string& temp) {
        int fd = ::open(temp.c_str(), O_WRONLY | O_TRUNC);
        bool ok = fd >= 0;
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            ok = n > 0 || (n < 0 && errno == EINTR);
            done += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        ok = ok && ::fsync(fd) == 0;
        if (fd >= 0)
            ok = ::close(fd) == 0 && ok;
        if (!ok)
            raise(kErrFileWrite, "Cannot write \"" + path + "\": " + std::strerror(errno));
    });
}

void replaceFileAtomically(const std::string& path, const std::function<void(const std::string&)>& fill)
{
    std::string temp = tempPathBeside(path);
    try {
        fill(temp);
    } catch (...) {
        std::remove(temp.c_str());
        throw;
    }
    commit(temp, path);
}

std::string readWholeFile(const std::string& path, std::size_t maxBytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        raise(kErrFileUnreadable, "Cannot read \"" + path + "\": no such file");
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes)
        raise(kErrFileUnreadable, "Cannot read \"" + path + "\": " + (ec ? ec.message() : "file too large"));
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
        raise(kErrFileUnreadable, "Cannot read \"" + path + "\"");
    return bytes;
}

}
