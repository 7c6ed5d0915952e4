// The edit bar switch, the control's format dialogs and the protection switch, on the
// workbook the user sees.
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

#include <QAction>

namespace ks {

namespace {

const QString kTurnOn = QStringLiteral("Turn on");
const QString kTurnOff = QStringLiteral("Turn off");

}

void SpreadForm::mnuHideEditBar_Click()
{
    ui::runStep(QStringLiteral("Error "), [this] {
        WorkbookControl* target = commandTarget();
        const bool shown = target->EditBarShown();
        target->setEditBarShown(!shown);
        MnuEditBar->setText(shown ? QStringLiteral("Show Edit Bar") : QStringLiteral("Hide Edit Bar"));
    });
}

void SpreadForm::formatDialogCommand(int reportPage, int scorecardPage, const QString& caption)
{
    ui::runStep(caption, [&] {
        if (reportspread->HostVisible()) {
            reportspread->FormatDialog(reportPage);
            DoEvents();
            return;
        }
        // The dialog changes cells the user cannot edit, such as the template's headings.
        F1BookMain->setSheetProtected(false);
        F1BookMain->FormatDialog(scorecardPage);
        DoEvents();
        F1BookMain->setSheetProtected(true);
    });
}

void SpreadForm::MnuFormatFont_Click() { formatDialogCommand(4, 4, QStringLiteral("Error in Format Font")); }
void SpreadForm::MnuFormatAlignment_Click() { formatDialogCommand(2, 2, QStringLiteral("Error in Format Alignment")); }
void SpreadForm::MnuFormatCells_Click() { formatDialogCommand(24, 56, QStringLiteral("Error in Format Cells")); }

void SpreadForm::MnuProtection_Click()
{
    ui::runStep(QStringLiteral("Error in Protection_Click"), [this] {
        MnuProtectionOff_On->setText(commandTarget()->SheetProtected() ? kTurnOff : kTurnOn);
    });
}

void SpreadForm::MnuProtectionOff_On_Click()
{
    ui::runStep(QStringLiteral("Error in Protection_on_off_Click"), [this] {
        commandTarget()->setSheetProtected(MnuProtectionOff_On->text() != kTurnOff);
    });
}

}
