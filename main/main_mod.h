#pragma once
// The scorecard program's entry and its start-up flags.
#include <QString>
#include <array>

namespace ks {

inline const QString kContainerProgram = QStringLiteral("container");

// Start-up flags, 0 until set and never set back.
extern int VideoOnlyStart;
extern int ImportMenuOn;
extern int FirstPassDone;
extern int QuitAfterResources;

// The whole command line as the program received it.
void setCommandLine(const QString& line);

class FormSlot;

// The program's windows in the order they are unloaded; the windows that do not
// exist yet stay empty.
extern std::array<FormSlot*, 8> FormTable;

// Unloads every window of FormTable, the scorecard window last.
void UnloadAllForms();

// Entry of the program; run again by the video-folder dialog's OK and Cancel.
void Main();

}
