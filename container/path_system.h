#pragma once
// What the path services ask of the system, answered on Linux: there are no
// short (8.3) names, so a path's short and long forms are the path itself
// while it exists, and the call fails when it does not.
#include <QString>

#include <optional>

namespace ks {

// The file name part of path; empty when path names no file (empty, or ending in a separator).
QString systemFileTitle(const QString& path);
// The short form: path while it exists, else empty (the system's failure).
QString systemShortPathName(const QString& path);
// The long form: path while it exists, else nothing (the system reports an error).
std::optional<QString> systemLongPathName(const QString& path);
// The folder of the system-wide settings files (the user's configuration folder of the programs).
QString systemWindowsFolder();
// The folder the system's shared libraries are loaded from.
QString systemLibraryFolder();
// The current folder.
QString systemCurrentFolder();

}
