#pragma once
// Faults a save must survive, made without mounting anything: a full file system (the
// file-size limit, which fails writes past it as a full disk does) and a user without
// the right to write (root's rights are dropped for the scope).
#include <cstddef>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <signal.h>

namespace ks::test {

// While alive, writing a file past bytes fails with EFBIG instead of raising SIGXFSZ.
class FullDisk {
public:
    explicit FullDisk(std::size_t bytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit old_{};
    struct sigaction oldAction_{};
};

// While alive, the process acts as an ordinary user (nobody) if it runs as root, so
// that permissions are enforced; the folders the test uses must let that user in.
class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    bool dropped_ = false;
};

// The names in folder, sorted, to show that a failed save left nothing behind.
std::string folderListing(const std::filesystem::path& folder);

}
