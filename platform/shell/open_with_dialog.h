#pragma once
// Our open-with chooser: the applications of the desktop database for the
// file's type, every application on request, or a program the user picks.
#include "platform/shell/desktop_entries.h"

#include <QStringList>

class QWidget;

namespace ks::shell {

class OpenWithDialog {
public:
    struct Choice {
        bool started = false;     // false: the chooser could not be shown
        bool chosen = false;      // false: the user cancelled
        QStringList command;      // empty when the chosen entry gives no safe command
        bool terminal = false;    // the program runs in a terminal
    };
    static Choice choose(const DesktopEntries& db, const QString& path, QWidget* owner);
};

}
