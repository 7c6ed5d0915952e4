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
};

class DesktopEntries {
public:
    // Reads the folders named by XDG_DATA_HOME, XDG_DATA_DIRS and XDG_CONFIG_*.
    static DesktopEntries fromEnvironment();

    // Applications that can be offered to the user, sorted by name.
    const std::vector<DesktopEntry>& applications() const { return sorted_; }
    const DesktopEntry* find(const QString& id) const;
    // The default application for a MIME type (its parents are asked too):
    // a mimeapps.list default first, else the first entry that lists the type.
    const DesktopEntry* defaultFor(const QString& mimeType) const;

    // The command for an Exec line with its field codes filled in for target.
    static QStringList commandFor(const QString& exec, const QString& target);

private:
    std::vector<DesktopEntry> apps_;     // in precedence order: user folder first
    std::vector<DesktopEntry> sorted_;
    std::vector<std::pair<QString, QStringList>> defaults_;   // mime type → entry ids
};

}
