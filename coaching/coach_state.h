#pragma once
// Coach state shared between the windows of the scorecard program.
#include <QString>

class QObject;
class QWidget;
#include <array>
#include <cstdint>
#include <functional>

namespace ks {

// One counter per sheet-1 section: KPI comments, Major Success, Major Obstacles,
// Marketing, Financial, Innovation, Systems.
extern std::array<std::int16_t, 7> CoachCommentCounters;
void ClearCoachCommentCounters();

// Set by the video window's options button for the video-folder dialog.
extern int OpenedFromVideoOptions;
// 1 while a scorecard created because none existed waits for its first greeting.
extern int NewScorecardPending;

enum CoachModeIndex : int { CoachNone = -1, ActiveCoach = 0, SilentCoach = 1, CoachOff = 2 };

// What the coach needs of the scorecard window, filled in by the program: the
// coaching folder does not depend on the scorecard's.
struct ScorecardLink {
    std::function<void()> showScorecardWindow;   // the scorecard window, shown modeless
    std::function<QWidget*()> scorecardWindow;   // its window (icon, size), loading it
    std::function<int()> coachMode;              // its coach-mode list index, -1 before a choice
    std::function<int()> currentSheet;           // the sheet its workbook shows
    std::function<bool()> reportVisible;         // whether the report sheet is visible
    std::function<bool()> loading;               // whether the scorecard window is loading
    std::function<void()> showVideoFolderDialog; // the video-folder dialog, modeless
    std::function<void(const QString&)> setVideoFolderExplanation;
    // The workbook the coach reads its ratings from.
    std::function<double(int sheet, int row, int col)> bookNumber;
    std::function<void()> recalculate;
    std::function<void(int mode)> setCoachMode;   // sets the list index, which runs its click handler
    // The window the members reach into: it empties the link when it goes, which may be
    // before the coach's windows.
    const QObject* owner = nullptr;
};
ScorecardLink& scorecardLink();

inline const QString kCoachPrompt =
    QStringLiteral("You may ask 'The Coach' questions by clicking on the drop down box to the left of this message.");
inline const QString kTopicPrompt = QStringLiteral("What area do you need help...?");

}
