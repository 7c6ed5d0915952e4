// Printing from the File menu, on the workbook the user sees, and the hidden page-break
// command. Without a default printer the control fails with 20024, which the page
// set-up, print and preview commands explain to the user.
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

namespace ks {

namespace {

const QString kNoPrinter = QStringLiteral(
    "You have no default printer setup on your machine. Please install a printer so you can access this feature!");

void reportPrintFailure(const RuntimeError& e, const QString& caption, bool explainNoPrinter)
{
    if (explainNoPrinter && e.number() == workbook::kErrNoPrinter)
        ui::MsgBox(kNoPrinter, ui::OKOnly | ui::Critical, App::title());
    else
        ui::showFailure(e, caption);
}

template <class F>
void printCommand(const QString& caption, bool explainNoPrinter, F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        reportPrintFailure(e, caption, explainNoPrinter);
    }
}

}

void SpreadForm::MnuPageSetup_Click()
{
    printCommand(QStringLiteral("Error in Page Setup"), true, [this] { commandTarget()->PageSetupDialog(); });
}

void SpreadForm::MnuPrint_Click()
{
    printCommand(QStringLiteral("Error in Print"), true, [this] { commandTarget()->PrintBook(true); });
}

void SpreadForm::MnuPrintSetup_Click()
{
    printCommand(QStringLiteral("Error in Print Setup"), false, [this] { commandTarget()->PrinterSetupDialog(); });
}

void SpreadForm::MnuPrintPreview_Click()
{
    printCommand(QStringLiteral("Error in Print"), true, [this] { commandTarget()->ShowPrintPreview(); });
}

void SpreadForm::MnuInsertPageBreak_Click()
{
    printCommand(QStringLiteral("Error in Insert Page Break"), false, [this] { F1BookMain->AddPageBreak(); });
}

}
