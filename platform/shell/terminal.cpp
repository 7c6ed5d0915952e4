#include "platform/shell/terminal.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace ks::shell {
namespace {

// How each terminal takes a command given as separate words: some take "-e" only as one
// string to split (gnome-terminal, xfce4-terminal), which a file name could break apart.
struct Terminal {
    const char* program;
    const char* before;   // the option that ends the terminal's own arguments
};
constexpr Terminal kTerminals[] = {
    {"x-terminal-emulator", "-e"},   // Debian's alternative: "-e command args..." by policy
    {"gnome-terminal", "--"},
    {"konsole", "-e"},
    {"xfce4-terminal", "-x"},
    {"mate-terminal", "-x"},
    {"alacritty", "-e"},
    {"kitty", "--"},
    {"urxvt", "-e"},
    {"xterm", "-e"},
};

QString optionFor(const QString& program)
{
    const QString name = QFileInfo(program).fileName();
    for (const Terminal& t : kTerminals)
        if (name == QLatin1String(t.program))
            return t.before;
    return "-e";
}

}

QStringList terminalPrefix()
{
    const QString chosen = qEnvironmentVariable("TERMINAL");
    if (!chosen.isEmpty()) {
        const QString found = QStandardPaths::findExecutable(chosen);
        if (!found.isEmpty())
            return {found, optionFor(chosen)};
    }
    for (const Terminal& t : kTerminals) {
        const QString found = QStandardPaths::findExecutable(t.program);
        if (!found.isEmpty())
            return {found, t.before};
    }
    return {};
}

}
