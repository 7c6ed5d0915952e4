#include "tests/support/file_faults.h"

#include <algorithm>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace ks::test {

namespace {
constexpr uid_t kNobody = 65534;
}

FullDisk::FullDisk(std::size_t bytes)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &oldAction_);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        throw std::runtime_error("cannot lower the file size limit");
}

FullDisk::~FullDisk()
{
    setrlimit(RLIMIT_FSIZE, &old_);
    sigaction(SIGXFSZ, &oldAction_, nullptr);
}

Unprivileged::Unprivileged()
{
    if (geteuid() != 0)
        return;
    if (setegid(kNobody) != 0 || seteuid(kNobody) != 0)
        throw std::runtime_error("cannot act as an ordinary user");
    dropped_ = true;
}

Unprivileged::~Unprivileged()
{
    if (dropped_ && (seteuid(0) != 0 || setegid(0) != 0))
        std::terminate();   // the remaining tests would run with the wrong rights
}

std::string folderListing(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names)
        listing += name + "\n";
    return listing;
}

}
