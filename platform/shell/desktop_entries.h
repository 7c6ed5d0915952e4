#pragma once
// The desktop's application database: .desktop entries under the XDG data
// folders and the default choices of mimeapps.list.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ks::shell {

struct DesktopEntry {
    QString id;          // "org.example.Viewer.desktop"
    QString name;
    QString exec;        // the Exec line, field codes unexpanded
    QStringList mimeTypes;
    bool terminal = false;   // Terminal=true: a program that needs a terminal to show anything
};

class DesktopEntries {
public:
    // Reads the folders named by XDG_DATA_HOME, XDG_DATA_DIRS and XDG_CONFIG_*.
    static DesktopEntries fromEnvironment();

    // Applications that can be offered to the user, sorted by name.
    const std::vector<DesktopEntry>& applications() const { return sorted_; }
    const DesktopEntry* find(const QString& id) const;
    // The applications for a MIME type, its parents asked after it: for each type, the
    // mimeapps.list defaults first, then the entries that list the type.
    std::vector<const DesktopEntry*> handlersOf(const QString& mimeType) const;
    // The default application: the first of handlersOf that opens a window of its own,
    // else the first one.
    const DesktopEntry* defaultFor(const QString& mimeType) const;

    // The command for an Exec line for target, which is always an argument of its own (for
    // "sh -c", a positional parameter); empty for an entry that writes a field code inside
    // a quoted argument, where no file name is safe.
    static QStringList commandFor(const QString& exec, const QString& target);

private:
    std::vector<DesktopEntry> apps_;     // in precedence order: user folder first
    std::vector<DesktopEntry> sorted_;
    std::vector<std::pair<QString, QStringList>> defaults_;   // mime type → entry ids
};

}
