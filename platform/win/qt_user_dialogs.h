#pragma once
// The window layer's questions, file dialogs and wait cursor shown through the
// programs' user interface (platform/ui): real dialogs, or a test's scripted answers.
namespace ks::win {

// Installs platform/ui as the window layer's user dialogs.
void useUiDialogs();

}
