#pragma once
// Our open-with chooser: the applications of the desktop database, or a
// program the user picks.
#include "platform/shell/desktop_entries.h"

#include <QStringList>

class QWidget;

namespace ks::shell {

class OpenWithDialog {
public:
    struct Choice {
        bool started = false;     // false: the chooser could not be shown
        QStringList command;      // empty: the user cancelled
    };
    static Choice choose(const DesktopEntries& db, const QString& path, QWidget* owner);
};

}
