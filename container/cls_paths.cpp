#include "container/cls_paths.h"

#include "common/c_registry.h"
#include "common/paths.h"
#include "container/keyed_list.h"
#include "container/path_system.h"
#include "platform/runtime/app.h"

#include <QDir>

namespace ks {
namespace {

constexpr qint32 kCurrentUser = qint32(0x80000001);

QString withSeparator(const QString& folder) { return folder.endsWith(kSep) ? folder : folder + kSep; }

QString folderOrFail(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        raiseInvalidArgument();
    return folder;
}

// The entry of folder named name: the exact name first, else one that differs in case only.
QString entryIn(const QString& folder, const QString& name)
{
    QDir dir(folder);
    if (dir.exists(name))
        return name;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return QString();
}

}

QString clsPaths::DoGetFileTitle(const QString& TheFile) const
{
    QString title = systemFileTitle(TheFile);
    if (title.isEmpty())
        raiseInvalidArgument();
    if (title.contains(QLatin1Char('.')))
        return title;
    // Only a dot of the file name itself can be a hidden extension; one in a folder name is not.
    const qsizetype dot = TheFile.lastIndexOf(QLatin1Char('.'));
    if (dot > TheFile.lastIndexOf(kSep))
        title += TheFile.mid(dot);
    return title;
}

QString clsPaths::DoGetFilePath(const QString& TheFile, bool ReturnSlash) const
{
    return passingOn("DoGetFilePath", [&] {
        if (TheFile.isEmpty())
            return QString();
        QString folder;
        if (TheFile.contains(kSep))
            folder = TheFile.left(TheFile.size() - DoGetFileTitle(TheFile).size());
        else if (FileExists(TheFile))
            folder = withSeparator(LongName(systemCurrentFolder()));
        if (!ReturnSlash && folder.size() > 1)
            folder.chop(1);
        return folder;
    });
}

QString clsPaths::shortName(const QString& TheFile) const { return systemShortPathName(TheFile); }

QString clsPaths::LongName(const QString& sShortName) const
{
    return systemLongPathName(sShortName).value_or(QString());
}

QString clsPaths::LongName2(const QString& sShortName) const
{
    if (!sShortName.startsWith(kSep))
        return QString();
    QString result;
    for (const QString& part : sShortName.split(kSep, Qt::SkipEmptyParts)) {
        const QString entry = entryIn(result.isEmpty() ? kSep : result, part);
        if (entry.isEmpty())
            return QString();
        result += kSep + entry;
    }
    return result.isEmpty() ? kSep : result;
}

QString clsPaths::GetMyDocsPath() const
{
    cRegistry reg;
    reg.setClassKey(kCurrentUser);
    reg.setSectionKey(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"));
    reg.setValueKey(QStringLiteral("Personal"));
    QString folder = reg.Value().toString();
    if (folder.isEmpty())
        folder = App::path();
    return withSeparator(LongName(folder));
}

QString clsPaths::GetWinDir() const { return withSeparator(folderOrFail(systemWindowsFolder())); }

QString clsPaths::GetSysDir() const { return folderOrFail(systemLibraryFolder()); }

}
