#pragma once
// The Help menu's manuals and module videos.
#include <QString>

class QWidget;

namespace ks {

inline const QString kHelpManual = QStringLiteral("help/Orvantis_manual.pdf");
inline const QString kQuickstartManual = QStringLiteral("help/Quickstart_electronic_version.pdf");

// Opens a manual (a name in the program folder) with its program.
void OpenManual(const QString& relative);
// Shows the coach window whatever the mode, with its topic list and message reset.
void ResetCoachWindowForHelp();
// The same, then plays Help/<file>; a failure
// shows a box with the given caption.
void PlayHelpVideo(const QString& file, const char* errorCaption);

}
