#pragma once
// The open and save dialogs in the programs' terms, the hourglass, and the
// placing of the coach's video window.
#include <QString>
#include <cstdint>

class QWidget;

namespace ks {

// filter: "Text|pattern|..."; filterIndex (1-based) selects the first filter
// shown and receives the one in use when the user confirms. "" on cancel.
QString ShowOpenDialog(const QString& filter, const QString& defaultExt, const QString& startFolder,
                       std::uint32_t flags, QWidget* owner, int& filterIndex);
QString ShowSaveDialog(const QString& filter, const QString& defaultExt, const QString& startFolder,
                       std::uint32_t flags, QWidget* owner, int& filterIndex);

void HourglassOn();
void HourglassOff();

// Places the window near the lower right corner of the screen, topmost and active.
void formontop(QWidget& window);
// The position formontop gives a window of the given inner size on a screen of the given size.
struct ScreenPoint { int x; int y; };
ScreenPoint formontopPosition(int screenWidth, int screenHeight, int innerWidth, int innerHeight);

}
