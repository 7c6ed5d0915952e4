#pragma once
// The desktop shell: open a document or an address with the program the
// desktop associates with it, the open-with chooser, and program start.
#include <QString>
#include <QStringList>

class QWidget;

namespace ks::shell {

enum class OpenResult {
    Done,            // handed to its program
    NoAssociation,   // nothing is associated with the file's type or the address's scheme
    Failed,          // missing file, or the program could not be started
};

enum class OpenWithResult {
    Opened,        // the user chose a program and it started
    Cancelled,     // the user chose none
    Failed,        // the chosen program could not be started
    Unavailable,   // the chooser cannot be shown
};

class Shell {
public:
    virtual ~Shell() = default;
    // A file path, an internet shortcut (.url), or an address ("mailto:...", "https://...").
    virtual OpenResult open(const QString& target) = 0;
    // Lets the user pick a program for the file and opens it with that program.
    virtual OpenWithResult openWith(const QString& path, QWidget* owner) = 0;
    // Starts a program as a separate process with no arguments, without waiting.
    virtual bool startProgram(const QString& program) = 0;
};

// The shell in use: the desktop shell unless one was installed.
Shell& shell();
// Installs a shell (not owned); nullptr goes back to the desktop shell.
void setShell(Shell* s);

}
