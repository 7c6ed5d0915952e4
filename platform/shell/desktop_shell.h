#pragma once
#include "platform/shell/desktop_entries.h"
#include "platform/shell/shell.h"

namespace ks::shell {

// The shell over the desktop's application database.
class DesktopShell : public Shell {
public:
    OpenResult open(const QString& target) override;
    OpenWithResult openWith(const QString& path, QWidget* owner) override;
    bool startProgram(const QString& program) override;

    // The address an internet shortcut (.url) points to, "" when it has none.
    static QString shortcutUrl(const QString& path);

private:
    static OpenResult launch(const DesktopEntry& entry, const QString& target);
    // Starts the command detached, in a terminal window when asked; false when it could not.
    static bool start(QStringList command, bool inTerminal);
};

}
