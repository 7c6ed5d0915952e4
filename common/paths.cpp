#include "common/paths.h"

#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"

#include <QDir>
#include <QFileInfo>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace ks {
namespace {

// Finds name in folder without regard to case; "" when no entry matches.
QString matchInFolder(const QString& folder, const QString& name)
{
    QDir dir(folder.isEmpty() ? QStringLiteral("/") : folder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return QString();
}

bool underProgramFolder(const QString& path)
{
    const QString root = App::path();
    return !root.isEmpty() && path.startsWith(root + '/');
}

bool statPath(const QString& path, struct stat& st)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(ResolvePath(path));
    return ::stat(native.constData(), &st) == 0;
}

}

QString AddBackslash(const QString& path, const QString& separator)
{
    return passingOn("AddBackslash", [&] {
        if (path.endsWith(separator) && !path.isEmpty())
            return path;
        return path + separator;
    });
}

bool FileExists(const QString& path)
{
    struct stat st;
    return statPath(path, st) && !S_ISDIR(st.st_mode);
}

bool FolderExists(const QString& path)
{
    struct stat st;
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

void MakeDirPath(const QString& path)
{
    passingOn("MakeDirPath", [&] {
        const QString walk = path.endsWith('/') ? path : path + '/';
        for (int at = walk.indexOf('/'); at >= 0 && at < walk.size(); at = walk.indexOf('/', at + 1)) {
            const QString part = walk.left(at);
            if (part.isEmpty() || part.endsWith(':'))
                continue;
            if (FolderExists(part))
                continue;
            if (!QDir().mkdir(ResolvePath(part)) && !FolderExists(part))
                throw RuntimeError(75, "Path/File access error", "MakeDirPath");
        }
    });
}

QStringList ListFiles(const QString& pattern, int attributes)
{
    return passingOn("GetFiles", [&] {
        const int slash = int(pattern.lastIndexOf('/'));
        const QString folder = slash >= 0 ? pattern.left(slash) : QStringLiteral(".");
        const QString mask = slash >= 0 ? pattern.mid(slash + 1) : pattern;
        const bool withFolders = (attributes & ListWithFolders) != 0;
        // Windows listings match "*.*" against names without a dot too.
        const QByteArray glob = (mask == "*.*" ? QStringLiteral("*") : mask).toLower().toUtf8();

        QStringList names;
        const QByteArray native = QFile::encodeName(ResolvePath(folder.isEmpty() ? QStringLiteral("/") : folder));
        DIR* dir = ::opendir(native.constData());
        if (!dir)
            return names;
        while (dirent* entry = ::readdir(dir)) {
            const QString name = QFile::decodeName(entry->d_name);
            const bool isDot = name == "." || name == "..";
            const bool isFolder = FolderExists(folder + '/' + name);
            if (isFolder && !withFolders)
                continue;
            if (isDot ? !withFolders : name.startsWith('.'))
                continue;   // other dot names are hidden entries
            if (::fnmatch(glob.constData(), name.toLower().toUtf8().constData(), 0) != 0)
                continue;
            names << name;
        }
        ::closedir(dir);
        return names;
    });
}

QString ResolvePath(const QString& path)
{
    if (!underProgramFolder(path) || QFileInfo::exists(path))
        return path;
    const QString root = App::path();
    QString resolved = root;
    const QStringList parts = path.mid(root.size() + 1).split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString match = QFileInfo::exists(resolved + '/' + part) ? part : matchInFolder(resolved, part);
        resolved += '/' + (match.isEmpty() ? part : match);
    }
    if (path.endsWith('/'))
        resolved += '/';
    return resolved;
}

QString ProgramFile(const QString& relative)
{
    return ResolvePath(AddBackslash(App::path()) + relative);
}

}
