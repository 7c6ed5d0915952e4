#include "platform/files/files.h"
#include "platform/files/temp_names.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ks::files {

namespace {

constexpr int kMaxLinkHops = 40;             // as the kernel's own limit
constexpr std::size_t kMaxWriteChunk = std::size_t(1) << 30;

std::string folderOf(const std::string& path)
{
    auto cut = path.rfind('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

// The process's umask, read without changing it (umask() would, for every thread).
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The file a save replaces: the end of any chain of symbolic links, and what it is now.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

Outcome resolve(const std::string& given, Target& target)
{
    std::string path = given;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return Outcome::failure(errno);
            target = {path, false, {}};
            return {};
        }
        if (!S_ISLNK(st.st_mode)) {
            if (S_ISDIR(st.st_mode))
                return Outcome::failure(EISDIR, "it is a folder");
            if (!S_ISREG(st.st_mode))
                return Outcome::failure(EINVAL, "it is not a regular file");
            // A file its owner made read-only stays unchanged, as a plain write would leave it.
            if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
                return Outcome::failure(errno);
            target = {path, true, st};
            return {};
        }
        if (hops == kMaxLinkHops)
            return Outcome::failure(ELOOP);
        std::string link(std::size_t(st.st_size > 0 ? st.st_size : 4096), '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0)
            return Outcome::failure(errno);
        link.resize(std::size_t(n));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
}

// The temporary file beside the target; removed unless renamed over it.
class TempFile {
public:
    ~TempFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    const std::string& path() const { return path_; }

    Outcome create(const Target& target)
    {
        const std::string stem = tempStem(target.path);
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = stem + std::to_string(random() % 1000000000u) + ".tmp";
            // Only the owner may read the temporary until commit gives it the target's mode:
            // a save killed half way must not leave a copy others can read.
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd_ >= 0) {
                path_ = std::move(candidate);
                // A new file gets what the umask gives any new file.
                mode_ = target.exists ? target.status.st_mode & 07777 : 0666 & ~currentUmask();
                return {};
            }
            if (errno != EEXIST)
                return Outcome::failure(errno);
        }
        return Outcome::failure(EEXIST);
    }

    Outcome writeAll(std::string_view bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(fd_, bytes.data() + done, std::min(bytes.size() - done, kMaxWriteChunk));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Outcome::failure(n < 0 ? errno : EIO);
            done += std::size_t(n);
        }
        return {};
    }

    // After an outside writer filled the file by name (it may have replaced it).
    Outcome reopen()
    {
        ::close(fd_);
        fd_ = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat st;
        if (fd_ < 0 || ::fstat(fd_, &st) != 0)
            return Outcome::failure(errno);
        return S_ISREG(st.st_mode) ? Outcome{} : Outcome::failure(EINVAL, "the writer left no file");
    }

    // Flushes, takes over the target's owner and permissions (a new file gets what the umask
    // gives) and renames it over the target.
    Outcome commit(const Target& target)
    {
        if (::fsync(fd_) != 0)
            return Outcome::failure(errno);
        if (target.exists)
            [[maybe_unused]] int given = ::fchown(fd_, target.status.st_uid, target.status.st_gid);   // only root may
        // Also after an outside writer, which may have made its file with modes of its own.
        if (::fchmod(fd_, mode_) != 0)
            return Outcome::failure(errno);
        int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0)
            return Outcome::failure(errno);
        if (::rename(path_.c_str(), target.path.c_str()) != 0)
            return Outcome::failure(errno);
        path_.clear();
        syncFolder(folderOf(target.path));
        return {};
    }

private:
    // Makes the rename itself durable. Some file systems cannot sync a folder; the new
    // file is in place by then, so that is not reported as a failed save.
    static void syncFolder(const std::string& folder)
    {
        int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            [[maybe_unused]] int synced = ::fsync(fd);
            ::close(fd);
        }
    }

    std::string path_;
    int fd_ = -1;
    mode_t mode_ = 0;
};

// Temporaries of the target last written this long before a save began are orphans. The
// margin spares a save that starts at the same moment: file times lag the clock by a tick.
constexpr time_t kOrphanAgeSeconds = 1;

timespec orphansBefore()
{
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    t.tv_sec -= kOrphanAgeSeconds;
    return t;
}

// A save that worked also takes away what earlier, killed saves of the target left.
Outcome finish(const Target& target, TempFile& temp, const timespec& began)
{
    Outcome committed = temp.commit(target);
    if (committed)
        removeStaleTemporaries(target.path, began);
    return committed;
}

Outcome prepare(const std::string& path, Target& target, TempFile& temp)
{
    if (path.empty())
        return Outcome::failure(EINVAL, "no file name given");
    if (Outcome resolved = resolve(path, target); !resolved)
        return resolved;
    return temp.create(target);
}

}

Outcome saveFile(const std::string& path, std::string_view bytes)
{
    const timespec began = orphansBefore();
    Target target;
    TempFile temp;
    if (Outcome ready = prepare(path, target, temp); !ready)
        return ready;
    if (Outcome written = temp.writeAll(bytes); !written)
        return written;
    return finish(target, temp, began);
}

Outcome saveFileWith(const std::string& path, const TempWriter& write)
{
    const timespec began = orphansBefore();
    Target target;
    TempFile temp;
    if (Outcome ready = prepare(path, target, temp); !ready)
        return ready;
    write(temp.path());
    if (Outcome reopened = temp.reopen(); !reopened)
        return reopened;
    return finish(target, temp, began);
}

}
