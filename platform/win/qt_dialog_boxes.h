#pragma once
// Dialog boxes shown as real modal Qt dialogs: each template control becomes a
// widget at its place, the user's typing and clicks reach the dialog procedure as
// the controls' own notifications, and the widgets follow what the procedure sets.
namespace ks::win {

// Installs the Qt dialogs as the runner of every dialog box (for the process).
void useQtDialogBoxes();

}
