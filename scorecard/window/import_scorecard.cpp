// Tools > Import Data: the history and KPI set-up of an older scorecard carried into the
// open one. A cancelled or failed import leaves the open scorecard as it was.
#include "common/dialogs.h"
#include "common/paths.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/import_blocks.h"
#include "scorecard/window/spread_form.h"

#include <QLabel>

namespace ks {

namespace {

constexpr int kCancelledDialog = 20023;

const QString kImportWarning = QStringLiteral(
    "This module imports data from a previous version. Proceed at your own risk.\r\r"
    "Make sure you have created a new template and set the Historical start date to that of the data that "
    "you wish to import.");
const QString kImported = QStringLiteral(
    " Your data has successfully been imported. Close the program and then re-open it to refresh your data");
const QString kNothingChosen = QStringLiteral("No scorecard was chosen, so nothing has been imported.");

// Carries every block, each announced first; on a failure the open scorecard is put back.
void transferImportBlocks(WorkbookControl& from, WorkbookControl& to)
{
    scorecard::ImportUndo undo(to.book());
    try {
        for (const scorecard::ImportBlock& block : scorecard::importBlocks()) {
            ui::MsgBox(QString::fromLatin1(block.progressText), ui::OKOnly);
            scorecard::copyImportBlock(from.book(), block);
            scorecard::pasteImportBlock(to.book(), block);
            DoEvents();
        }
        to.setCurrentSheet(1);
    } catch (const RuntimeError&) {
        undo.restore();
        throw;
    }
}

}

void SpreadForm::MnuImportData_Click()
{
    try {
        if (ui::MsgBox(kImportWarning, ui::OKCancel) != ui::OK)
            return;
        if (!DataImport())
            return;
        transferImportBlocks(*F1BookIMPORT, *F1BookMain);
        // Marked changed, so that closing as the message asks offers to save what came in.
        F1BookMain->setHostTag(kChangedMarker.toStdString());
        ui::MsgBox(kImported, ui::OKOnly | ui::Information);
    } catch (const RuntimeError& e) {
        if (e.number() != kCancelledDialog)
            ui::showFailure(e, QStringLiteral("DataImport Error "));
    }
}

bool SpreadForm::DataImport()
{
    try {
        int filterIndex = 1;
        const QString path = ShowOpenDialog(QStringLiteral("Scorecard Files (*.vqa)|*.vqa"), QString(),
                                            ProgramFile(QStringLiteral("spreadsheets")),
                                            ui::FileMustExist | ui::HideReadOnly, this, filterIndex);
        if (path.isEmpty()) {
            ui::MsgBox(kNothingChosen, ui::OKOnly | ui::Information);
            return false;
        }
        F1BookIMPORT->LoadBookFile(path.toStdString());
        DoEvents();
        return true;
    } catch (const RuntimeError& e) {
        if (e.number() != kCancelledDialog) {
            F1BookMain->setHostVisible(true);
            Picture1->lower();
            ui::showFailure(e, QStringLiteral("Error DataImport"));
        }
        return false;
    }
}

}
