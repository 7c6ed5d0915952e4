#include "platform/shell/desktop_shell.h"

#include "platform/shell/open_with_dialog.h"
#include "platform/shell/terminal.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

namespace ks::shell {
namespace {

Shell* g_installed = nullptr;

// "mailto:x", "https://x": a scheme of two letters or more (so "C:" is a drive, not a scheme).
QString schemeOf(const QString& target)
{
    static const QRegularExpression scheme("^([A-Za-z][A-Za-z0-9+.-]+):");
    auto m = scheme.match(target);
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

}

Shell& shell()
{
    if (g_installed)
        return *g_installed;
    static DesktopShell desktop;
    return desktop;
}

void setShell(Shell* s) { g_installed = s; }

QString DesktopShell::shortcutUrl(const QString& path)
{
    QSettings ini(path, QSettings::IniFormat);
    return ini.value("InternetShortcut/URL").toString().trimmed();
}

OpenResult DesktopShell::open(const QString& target)
{
    const DesktopEntries db = DesktopEntries::fromEnvironment();
    const QString scheme = schemeOf(target);
    if (!scheme.isEmpty() && scheme != "file") {
        const DesktopEntry* entry = db.defaultFor("x-scheme-handler/" + scheme);
        return entry ? launch(*entry, target) : OpenResult::NoAssociation;
    }
    const QString path = scheme == "file" ? QUrl(target).toLocalFile() : target;
    QFileInfo info(path);
    if (!info.exists())
        return OpenResult::Failed;
    if (info.suffix().compare("url", Qt::CaseInsensitive) == 0) {
        QString url = shortcutUrl(path);
        return url.isEmpty() ? OpenResult::Failed : open(url);
    }
    QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    const DesktopEntry* entry = db.defaultFor(mime.name());
    return entry ? launch(*entry, info.absoluteFilePath()) : OpenResult::NoAssociation;
}

OpenResult DesktopShell::launch(const DesktopEntry& entry, const QString& target)
{
    return start(DesktopEntries::commandFor(entry.exec, target), entry.terminal) ? OpenResult::Done
                                                                                 : OpenResult::Failed;
}

bool DesktopShell::start(QStringList command, bool inTerminal)
{
    if (command.isEmpty())
        return false;
    // Started without a terminal, such a program would run unseen and show nothing.
    if (inTerminal) {
        const QStringList terminal = terminalPrefix();
        if (terminal.isEmpty())
            return false;
        command = terminal + command;
    }
    QString program = command.takeFirst();
    return QProcess::startDetached(program, command);
}

OpenWithResult DesktopShell::openWith(const QString& path, QWidget* owner)
{
    auto choice = OpenWithDialog::choose(DesktopEntries::fromEnvironment(), path, owner);
    if (!choice.started)
        return OpenWithResult::Unavailable;
    if (!choice.chosen)
        return OpenWithResult::Cancelled;
    return start(choice.command, choice.terminal) ? OpenWithResult::Opened : OpenWithResult::Failed;
}

bool DesktopShell::startProgram(const QString& program)
{
    QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
}

}
