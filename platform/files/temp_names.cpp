#include "platform/files/temp_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks::files {
namespace {

constexpr std::size_t kMaxTempStem = 200;   // keeps the temporary name under NAME_MAX
constexpr std::size_t kMaxNumberDigits = 10;

std::string folderOf(const std::string& path)
{
    auto cut = path.rfind('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

bool before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}

std::string tempStem(const std::string& target)
{
    auto cut = target.rfind('/');
    const std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
    return folderOf(target) + "/." + name.substr(0, kMaxTempStem) + ".";
}

bool isTempName(const std::string& stemName, const std::string& fileName)
{
    static const std::string ending = ".tmp";
    if (fileName.size() <= stemName.size() + ending.size() || fileName.compare(0, stemName.size(), stemName) != 0
        || fileName.compare(fileName.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    const std::size_t digits = fileName.size() - stemName.size() - ending.size();
    if (digits > kMaxNumberDigits)
        return false;
    for (std::size_t i = stemName.size(); i < stemName.size() + digits; ++i)
        if (fileName[i] < '0' || fileName[i] > '9')
            return false;
    return true;
}

void removeStaleTemporaries(const std::string& target, const timespec& since)
{
    const std::string folder = folderOf(target);
    const std::string stem = tempStem(target);
    const std::string stemName = stem.substr(stem.rfind('/') + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTempName(stemName, entry->d_name))
            continue;
        struct stat st;
        // lstat: a link of that name is no temporary of ours.
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && before(st.st_mtim, since))
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

}
