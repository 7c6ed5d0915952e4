#pragma once
// The desktop's terminal emulator, for programs whose desktop entry says Terminal=true.
#include <QStringList>

namespace ks::shell {

// The words that run a command in a new terminal window, the command's own words to follow:
// $TERMINAL, x-terminal-emulator or the first of the usual terminals installed. Empty when
// there is none.
QStringList terminalPrefix();

}
