#include "coaching/coach_comments.h"

#include "coaching/coach_state.h"
#include "coaching/comment_choice.h"
#include "coaching/main_video.h"
#include "common/layout/scorecard_layout.h"
#include "common/paths.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QComboBox>
#include <QLabel>

namespace ks {
namespace {

namespace layout = scorecard::layout;

const QString kTopicsNoQuestionMark = QStringLiteral("What area do you need help...");

double number(int sheet, int row, int col)
{
    return scorecardLink().bookNumber ? scorecardLink().bookNumber(sheet, row, col) : 0.0;
}

void recalculate()
{
    if (scorecardLink().recalculate)
        scorecardLink().recalculate();
}

int coachMode() { return scorecardLink().coachMode ? scorecardLink().coachMode() : CoachNone; }

// The folder each coach procedure starts from; false when the coach is off.
bool chooseFolderByMode(bool activeResetsMessage)
{
    switch (coachMode()) {
    case ActiveCoach:
        CurrentVideoFolder = CommentVideoFolder;
        if (activeResetsMessage)
            form<MainVideo>().LabelCoach->setText(kCoachPrompt);
        return true;
    case SilentCoach:
        CurrentVideoFolder = SilentVideoFolder;
        return true;
    case CoachOff:
        return false;
    default:
        return true;   // nothing chosen yet: the folder stays
    }
}

void play(const QString& file)
{
    // Expense files carry their own "/expense/" part.
    const QString name = file.startsWith('/') ? file.mid(1) : file;
    form<MainVideo>().MediaPlayer1->setURL(AddBackslash(CurrentVideoFolder) + name);
}

double kindOf(int sheet1Row) { return number(layout::kSetup, sheet1Row + 50, layout::setup::kKindCol); }

// A counter that has reached the largest 16-bit value stays there.
void raise(std::int16_t& counter)
{
    if (counter < INT16_MAX)
        ++counter;
}

}

void coachcomment(int row)
{
    try {
        recalculate();
        if (!chooseFolderByMode(false))
            return;
        form<MainVideo>().Combo1->setEditText(kTopicsNoQuestionMark);
        recalculate();
        DoEvents();
        const double a = number(layout::kMonthView, row + 45, layout::month::kMonthRatingCol);
        const double b = number(layout::kMonthView, row + 45, layout::month::kYtdRatingCol);
        const double kind = kindOf(row);
        const double target = number(layout::kMonthView, row, layout::month::kTargetCol);
        const double actual = number(layout::kMonthView, row, layout::month::kActualCol);
        const QString file = commentVideoFile(a, b, kind, target, actual);
        if (!file.isEmpty())
            play(file);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in: Coach Comment");
    }
}

void Videogeneralinformation(int row, int column)
{
    bool goOn = true;
    ui::runStepShowingSource([&] { goOn = chooseFolderByMode(true); });
    if (!goOn)
        return;
    ui::runStepShowingSource([&] { form<MainVideo>().Combo1->setEditText(kTopicPrompt); });
    double ratio = 0, kind = 0;
    ui::runStepShowingSource([&] {
        ratio = number(scorecardLink().currentSheet ? scorecardLink().currentSheet() : 1, row, layout::month::kRatioCol);
        DoEvents();
    });
    ui::runStepShowingSource([&] { kind = kindOf(row); });
    if (CoachCommentCounters[0] < 1)
        CoachCommentCounters[0] = 1;
    const int sheet = scorecardLink().currentSheet ? scorecardLink().currentSheet() : 1;
    const int section = sectionAt(row, column);
    if (sheet != 1 || section < 0)
        return;
    const bool active = coachMode() == ActiveCoach;
    std::int16_t& counter = CoachCommentCounters[size_t(section)];
    if (section == 0) {
        raise(counter);
        if (counter > 2) {
            CurrentVideoFolder = SilentVideoFolder;
            if (active)
                ui::runStepShowingSource([&] { form<MainVideo>().LabelCoach->setText(sectionNotice(0)); });
        }
        ui::runStepShowingSource([&] { play(kpiCommentVideoFile(ratio, kind)); });
        return;
    }
    if (counter > 0) {
        raise(counter);
        CurrentVideoFolder = SilentVideoFolder;
        if (active)
            ui::runStepShowingSource([&] { form<MainVideo>().LabelCoach->setText(sectionNotice(section)); });
    } else {
        counter = 1;
    }
    ui::runStepShowingSource([&] { play(sectionVideoFile(section)); });
}

void startupcomments()
{
    try {
        if (!chooseFolderByMode(true))
            return;
        form<MainVideo>().Combo1->setEditText(kTopicPrompt);
        const double late = number(layout::kSetup, layout::setup::kLateRow, layout::setup::kWelcomeCol);
        const double monthsLate = number(layout::kSetup, layout::setup::kMonthsLateRow, layout::setup::kWelcomeCol);
        const double guard = number(layout::kSetup, layout::setup::kGuardRow, layout::setup::kWelcomeCol);
        if (NewScorecardPending == 1) {
            form<MainVideo>().MediaPlayer1->setURL(ProgramFile("help/datmodule_help.wmv"));
            NewScorecardPending = 0;
            return;
        }
        const QString file = welcomeVideoFile(late, monthsLate, guard);
        if (!file.isEmpty())
            play(file);
    } catch (const RuntimeError& e) {
        const QString description = QString::fromStdString(e.description());
        if (e.number() == 339) {
            ui::showFailure(e, "Error : startupcoments_err");
            return;
        }
        if (description.contains("wmp.dll"))
            ui::MsgBox("We have a problem loading this program. It appears you do not have Windows Media Player "
                       "version 9 correctly installed on your machine? You may still use this program but the "
                       "Video Coach will not function. Re-run the installation and it will automatically take you "
                       "to Microsoft website where Media Player can be downloaded.",
                       ui::OKOnly | ui::Critical);
        else
            ui::showFailure(e, "Error : startupcoments_err");
        if (scorecardLink().setCoachMode)
            scorecardLink().setCoachMode(CoachOff);
    }
}

}
