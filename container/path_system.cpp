#include "container/path_system.h"

#include "platform/registry/store_config.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <dlfcn.h>

namespace ks {
namespace {

bool entryExists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

}

QString systemFileTitle(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString systemShortPathName(const QString& path) { return entryExists(path) ? path : QString(); }

std::optional<QString> systemLongPathName(const QString& path)
{
    if (!entryExists(path))
        return std::nullopt;
    return path;
}

QString systemWindowsFolder() { return QString::fromStdString(registry::defaultUserFolder()); }

QString systemLibraryFolder()
{
    // The folder of the C library this process runs with.
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&std::fflush), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
    return QStringLiteral("/usr/lib");
}

QString systemCurrentFolder() { return QDir::currentPath(); }

}
