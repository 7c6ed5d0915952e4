#include "platform/shell/desktop_entries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMimeDatabase>
#include <QTextStream>
#include <algorithm>

namespace ks::shell {
namespace {

QStringList envFolders(const char* name, const QString& fallback)
{
    QString value = qEnvironmentVariable(name);
    return (value.isEmpty() ? fallback : value).split(':', Qt::SkipEmptyParts);
}

QString dataHome()
{
    QString v = qEnvironmentVariable("XDG_DATA_HOME");
    return v.isEmpty() ? QDir::homePath() + "/.local/share" : v;
}

QString configHome()
{
    QString v = qEnvironmentVariable("XDG_CONFIG_HOME");
    return v.isEmpty() ? QDir::homePath() + "/.config" : v;
}

// The key=value lines of one [group] of an ini-style desktop file.
std::vector<std::pair<QString, QString>> readGroup(const QString& file, const QString& group)
{
    std::vector<std::pair<QString, QString>> lines;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&f);
    bool inGroup = false;
    while (!in.atEnd()) {
        QString line = in.readLine().trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[" + group + "]";
            continue;
        }
        int eq = line.indexOf('=');
        if (inGroup && eq > 0 && !line.startsWith('#'))
            lines.emplace_back(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return lines;
}

std::optional<DesktopEntry> readEntry(const QString& file, const QString& id)
{
    DesktopEntry e;
    e.id = id;
    bool hidden = false, isApp = false;
    for (const auto& [key, value] : readGroup(file, "Desktop Entry")) {
        if (key == "Name") e.name = value;
        else if (key == "Exec") e.exec = value;
        else if (key == "MimeType") e.mimeTypes = value.split(';', Qt::SkipEmptyParts);
        else if (key == "Type") isApp = value == "Application";
        else if (key == "Terminal") e.terminal = value == "true";
        else if ((key == "NoDisplay" || key == "Hidden") && value == "true") hidden = true;
    }
    if (!isApp || hidden || e.exec.isEmpty())
        return std::nullopt;
    if (e.name.isEmpty())
        e.name = id;
    return e;
}

}

DesktopEntries DesktopEntries::fromEnvironment()
{
    DesktopEntries db;
    QStringList dataDirs = QStringList{dataHome()} + envFolders("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    QStringList seen;
    for (const QString& dir : dataDirs) {
        QString apps = dir + "/applications";
        QDirIterator it(apps, {"*.desktop"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QString file = it.next();
            QString id = QDir(apps).relativeFilePath(file).replace('/', '-');
            if (seen.contains(id))
                continue;   // earlier folders take precedence
            seen << id;
            if (auto e = readEntry(file, id))
                db.apps_.push_back(*e);
        }
    }
    db.sorted_ = db.apps_;
    std::sort(db.sorted_.begin(), db.sorted_.end(),
              [](const auto& a, const auto& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });

    QStringList listFiles{configHome() + "/mimeapps.list"};
    for (const QString& d : envFolders("XDG_CONFIG_DIRS", "/etc/xdg"))
        listFiles << d + "/mimeapps.list";
    for (const QString& d : dataDirs)
        listFiles << d + "/applications/mimeapps.list";
    for (const QString& file : listFiles)
        for (const auto& [mime, ids] : readGroup(file, "Default Applications"))
            db.defaults_.emplace_back(mime, ids.split(';', Qt::SkipEmptyParts));
    return db;
}

const DesktopEntry* DesktopEntries::find(const QString& id) const
{
    for (const auto& e : apps_)
        if (e.id == id)
            return &e;
    return nullptr;
}

const DesktopEntry* DesktopEntries::defaultFor(const QString& mimeType) const
{
    const std::vector<const DesktopEntry*> all = handlersOf(mimeType);
    // A program that runs in a terminal shows nothing without one: one with a window comes first.
    for (const DesktopEntry* e : all)
        if (!e->terminal)
            return e;
    return all.empty() ? nullptr : all.front();
}

std::vector<const DesktopEntry*> DesktopEntries::handlersOf(const QString& mimeType) const
{
    QStringList types{mimeType};
    QMimeType mime = QMimeDatabase().mimeTypeForName(mimeType);
    if (mime.isValid())
        types += mime.allAncestors();
    std::vector<const DesktopEntry*> found;
    auto add = [&](const DesktopEntry* e) {
        if (e && std::find(found.begin(), found.end(), e) == found.end())
            found.push_back(e);
    };
    for (const QString& type : types) {
        for (const auto& [mt, ids] : defaults_)
            if (mt == type)
                for (const QString& id : ids)
                    add(find(id));
        for (const auto& e : apps_)
            if (e.mimeTypes.contains(type))
                add(&e);
    }
    return found;
}

}
