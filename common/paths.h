#pragma once
// Path, file and folder helpers shared by both programs.
#include <QString>
#include <QStringList>

namespace ks {

// The separator the programs put between a folder and a name.
inline const QString kSep = QStringLiteral("/");

// Attribute masks of ListFiles.
enum ListAttributes : int { ListFilesOnly = 0, ListWithFolders = 16 };

// path + separator, unless path already ends with it; "" gives the separator.
QString AddBackslash(const QString& path, const QString& separator = kSep);
// An existing entry that is not a folder; false for anything that cannot be examined.
bool FileExists(const QString& path);
// An existing folder; false for anything that cannot be examined.
bool FolderExists(const QString& path);
// Creates every missing folder along path.
void MakeDirPath(const QString& path);
// Names (no folder part) matching a "folder/pattern" in the order the
// directory lists them; with ListWithFolders, folders too, "." and ".." included.
QStringList ListFiles(const QString& pattern, int attributes);

// Inside the program folder names are found without regard to case, part by
// part, since some folders are spelled two ways. Other paths are used as given.
QString ResolvePath(const QString& path);
// The program folder + relative name ("images/Scorecard.bmp"), resolved.
QString ProgramFile(const QString& relative);

}
