// The scorecard window's files: open, save, save as, the sample guard, LASTFILE
// and the company name.
#include "common/dialogs.h"
#include "common/paths.h"
#include "common/settings.h"
#include "coaching/coach_comments.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/program_end.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/spread_form.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>

namespace ks {

namespace {

const QString kScorecardFilter = QStringLiteral("Scorecard Files (*.vqa)|*.vqa");
// Added by the save dialogs to a name typed without an extension, so that the
// file shows in the open dialog and LASTFILE follows it.
const QString kScorecardExtension = QStringLiteral("vqa");
constexpr int kScorecardFileType = 5;
constexpr int kCancelledDialog = 20023;

const QString kSavingProblem = QStringLiteral(
    "We have a problem saving this file. Please try again and make sure that you have enough disk space and that "
    "you are not trying to overwrite a file that is already in use or read-only.");

QString scorecardFolder() { return ProgramFile(QStringLiteral("spreadsheets")); }

void storeLastFile(const QString& path)
{
    StoreSetting(QStringLiteral("LASTFILE"), path);
}

}

bool IsSamplePath(const QString& path) { return path.endsWith(QStringLiteral("Sample.vqa"), Qt::CaseSensitive); }

void SpreadForm::showCaption() { setCaption(App::title() + kCaptionSeparator + ScorecardPath); }

bool SpreadForm::MnuFilesave_Click()
{
    HourglassOn();
    try {
        F1BookMain->setViewSwitchB(false);
        F1BookMain->setViewSwitchA(false);
        const bool written = savespreadsheet();
        HourglassOff();
        return written;
    } catch (const RuntimeError& e) {
        HourglassOff();
        ui::showFailure(e, QStringLiteral("Mnu File Save"));
        return false;
    }
}

bool SpreadForm::savespreadsheet()
{
    // No path after a scorecard could not be read: the damaged file is not replaced unasked.
    if (ScorecardPath.isEmpty())
        return MnuFilesaveas_Click();
    if (IsSamplePath(ScorecardPath)) {
        ui::MsgBox(QStringLiteral("You can not overwrite your sample file. Please save as a different name"),
                   ui::OKOnly | ui::Critical);
        return MnuFilesaveas_Click();
    }
    try {
        F1BookMain->WriteBookFile(ScorecardPath.toStdString(), kScorecardFileType);
        // Cleared only once the file holds the changes.
        F1BookMain->setHostTag({});
        return true;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("save spreadsheet_err"), kSavingProblem);
        return false;
    }
}

bool SpreadForm::MnuFilesaveas_Click()
{
    F1BookMain->setViewSwitchB(false);
    F1BookMain->setViewSwitchA(false);
    F1BookMain->PlaceCursor(1, 1);
    F1BookMain->setHostVisible(true);
    return filesaveas2();
}

bool SpreadForm::filesaveas2()
{
    try {
        int filterIndex = 1;
        const QString name = ShowSaveDialog(kScorecardFilter, kScorecardExtension, scorecardFolder(),
                                            ui::FileMustExist | ui::HideReadOnly | ui::OverwritePrompt, this,
                                            filterIndex);
        if (name.isEmpty())
            return false;
        if (IsSamplePath(name)) {
            ui::MsgBox(QStringLiteral("You can not overwrite your sample file."), ui::OKOnly | ui::Critical);
            return false;
        }
        F1BookMain->WriteBookAs(name.toStdString(), kScorecardFileType);
        F1BookMain->setHostTag({});
        ScorecardPath = name;
        showCaption();
        if (ScorecardPath.endsWith(QStringLiteral("vqa"), Qt::CaseSensitive))
            storeLastFile(ScorecardPath);
        return true;
    } catch (const RuntimeError& e) {
        if (e.number() != kCancelledDialog)
            ui::showFailure(e, QStringLiteral("Error "), kSavingProblem);
        return false;
    }
}

bool SpreadForm::askToSaveChanges()
{
    Picture1->raise();
    if (!isWindowModified())
        return true;
    const ui::Answer answer = ui::MsgBox(QStringLiteral("Save Changes to the existing scorecard?"),
                                         ui::YesNoCancel | ui::Question);
    // Only a save that succeeded lets the command replace the workbook.
    if (answer == ui::Cancel || (answer == ui::Yes && !MnuFilesave_Click())) {
        Picture1->lower();
        return false;
    }
    if (answer == ui::No)
        F1BookMain->setHostTag({});
    return true;
}

void SpreadForm::showMonthViewControls()
{
    ComboBulkData->hide();
    ComboCoachMode->show();
    LabelCoachMode->show();
    Reports->Frame10->hide();
    reportspread->setHostVisible(false);
    ShowToolbar2();
}

void SpreadForm::MnuFileNew_Click()
{
    const QString newErr = QStringLiteral("MnuFileNew Error ");
    auto step = [&](auto&& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            Picture1->lower();
            ui::showFailure(e, newErr);
        }
    };
    bool goOn = true;
    step([&] { goOn = askToSaveChanges(); });
    if (!goOn)
        return;
    step([&] {
        F1BookMain->LoadBookFile(ProgramFile(QStringLiteral("newxx2.tem")).toStdString());
        scorecardRead_ = true;
    });
    step([&] {
        setCaption(QStringLiteral("New file"));
        DoEvents();
    });
    step([&] { reportspread->setHostZOrder(1); });
    step([&] { fileNewRename2(); });
    step([&] { showMonthViewControls(); });
    Picture1->lower();
}

void SpreadForm::fileNewRename2()
{
    const QString mustName = QStringLiteral("You must select a name for the new file");
    // The user cannot leave without naming the new scorecard.
    QString name;
    for (;;) {
        int filterIndex = 1;
        name = ShowSaveDialog(kScorecardFilter, kScorecardExtension, scorecardFolder(),
                              ui::FileMustExist | ui::HideReadOnly | ui::OverwritePrompt, this, filterIndex);
        if (name.isEmpty()) {
            ui::MsgBox(mustName, ui::OKOnly | ui::Critical);
            continue;
        }
        if (IsSamplePath(name)) {
            ui::MsgBox(QStringLiteral("You can not overwrite your sample file."), ui::OKOnly | ui::Critical);
            continue;
        }
        try {
            F1BookMain->WriteBookAs(name.toStdString(), kScorecardFileType);
        } catch (const RuntimeError& e) {
            if (e.number() != kCancelledDialog)
                ui::showFailure(e, QStringLiteral("Error FileNewRename2"),
                                QStringLiteral("We have a problem saving this new file. Please try again and make sure "
                                               "that you have enough disk space and that you are not trying to "
                                               "overwrite a file that is already in use or read-only."));
            ui::MsgBox(mustName, ui::OKOnly | ui::Critical);
            continue;
        }
        break;
    }
    F1BookMain->setHostTag({});
    ScorecardPath = name;
    showCaption();
    if (ScorecardPath.endsWith(QStringLiteral("vqa"), Qt::CaseSensitive))
        storeLastFile(ScorecardPath);
    F1BookMain->setHostVisible(true);
    Reports->Frame10->hide();
    F1BookMain->setCurrentSheet(1);
    F1BookMain->PlaceCursor(1, 1);
    F1BookMain->ScrollToCursor();
}

void SpreadForm::MnuFileOpen_Click()
{
    try {
        if (!askToSaveChanges())
            return;
        FileOpen2();
        DoEvents();
        showMonthViewControls();
        Picture1->lower();
    } catch (const RuntimeError& e) {
        Picture1->lower();
        ui::showFailure(e, QStringLiteral("FileOpen Error "));
    }
}

void SpreadForm::FileOpen2()
{
    try {
        int filterIndex = 1;
        const QString path = ShowOpenDialog(kScorecardFilter, QString(), scorecardFolder(),
                                            ui::FileMustExist | ui::HideReadOnly, this, filterIndex);
        if (path.isEmpty())
            return;
        F1BookMain->LoadBookFile(path.toStdString());
        scorecardRead_ = true;
        DoEvents();
        Picture1->raise();
        ScorecardPath = path;
        storeLastFile(path);
        showCaption();
        Reports->Frame10->hide();
        reportspread->setHostZOrder(1);
        F1BookMain->setHostVisible(true);
        DoEvents();
        SetupScorecard();
        startupcomments();
        Picture1->lower();
    } catch (const RuntimeError& e) {
        if (e.number() != kCancelledDialog) {
            F1BookMain->setHostVisible(true);
            Picture1->lower();
            ui::showFailure(e, QStringLiteral("Error Fileopen2"));
        }
        // The window load cannot go on without the scorecard it was asked to open.
        if (ScorecardLoading == 1)
            EndProgram();
    }
}

void SpreadForm::MnuCompanyName_Click()
{
    const QString current = QString::fromStdString(F1BookMain->BookText(1, 1, 1));
    const QString answer =
        ui::InputBox(QStringLiteral("Please enter the Company name for the scorecard."), App::title(), current);
    if (answer.isEmpty())
        return;
    F1BookMain->setBookText(1, 1, 1, answer.toStdString());
    F1BookMain->setHostTag(kChangedMarker.toStdString());
}

}
