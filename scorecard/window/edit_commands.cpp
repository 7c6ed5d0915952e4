// The clipboard commands of the Edit menu, on the workbook the user sees. On the month
// view every value must reach the history one cell at a time: a block of several cells
// is refused there, and a cut or paste is carried into the history as a typed edit is.
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/engine/clipboard.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ks {

using namespace scorecard::layout;

namespace {

const QString kSingleValueMessage = QStringLiteral(
    "You can not copy and paste more than one value at a time as your information needs to be updated.");
const QString kCopyRefusal = QStringLiteral("You can not copy and paste more than one value at a time");

long long cellsOf(const workbook::Block& b) { return static_cast<long long>(b.rows()) * b.cols(); }

bool isKpiRow(int row) { return row >= month::kFirstKpiRow && row <= month::kLastKpiRow; }
bool isSectionRow(int row) { return row >= month::kSuccessFirstRow && row <= month::kInnovationLastRow; }

// The cells tab-separated text fills when pasted: its lines by its widest line.
long long cellsOfText(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    long long widest = 0;
    for (const QString& line : lines)
        widest = std::max<long long>(widest, line.count(QLatin1Char('\t')) + 1);
    return lines.size() * widest;
}

// The cells the next paste fills: the copied block, or for a paste of external data
// the text another program put on the clipboard.
long long cellsToPaste(const WorkbookControl& book, bool external)
{
    const workbook::ClipBlock& copied = workbook::sharedClipboard();
    const long long copiedCells = copied.empty() ? 0 : static_cast<long long>(copied.rows) * copied.cols;
    if (!external)
        return copiedCells;
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty() || text.toStdString() == book.ClipboardText())
        return copiedCells;
    return cellsOfText(text);
}

}

bool SpreadForm::refuseSeveralCells(long long cells)
{
    if (cells <= 1)
        return false;
    ui::MsgBox(kSingleValueMessage, ui::OKOnly | ui::Information, App::title());
    return true;
}

void SpreadForm::recordClipboardCell()
{
    const workbook::Block at = F1BookMain->GetSelectedBlock();
    const bool pending = CellEdit.valueEdit == 1 || CellEdit.textEdit == 1;
    // An edit typed into this cell keeps the text from before the typing.
    if (pending && CellEdit.row == at.row1 && CellEdit.column == at.col1)
        return;
    if (pending)
        F1BookMain_KeyUp(0, 0);
    CellEdit.row = at.row1;
    CellEdit.column = at.col1;
    CellEdit.textBefore = F1BookMain->SheetText(at.row1, at.col1);
}

bool SpreadForm::refusePasteOnMonthView(bool external)
{
    if (F1BookMain->CurrentSheet() != kMonthView)
        return false;
    if (refuseSeveralCells(cellsToPaste(*F1BookMain, external)))
        return true;
    recordClipboardCell();
    return false;
}

void SpreadForm::carryClipboardEdit()
{
    if (F1BookMain->CurrentSheet() == kMonthView) {
        const int row = CellEdit.row, col = CellEdit.column;
        if (isKpiRow(row) && (col == month::kActualCol || col == month::kTargetCol))
            CellEdit.valueEdit = 1;
        else if ((isKpiRow(row) && col == month::kCommentCol) || isSectionRow(row))
            CellEdit.textEdit = 1;
    }
    F1BookMain_Click();
}

void SpreadForm::MnuCopy_Click()
{
    try {
        WorkbookControl* target = commandTarget();
        target->EndCellEdit();
        const workbook::Block b = target->GetSelectedBlock();
        if (target == reportspread) {
            if (cellsOf(b) == 1) {
                target->SelectBlock(b.row1, b.col1, b.row2, b.col2);
                target->CopyBlock();
            }
            return;
        }
        if (F1BookMain->CurrentSheet() == kMonthView && refuseSeveralCells(cellsOf(b)))
            return;
        target->SelectBlock(b.row1, b.col1, b.row2, b.col2);
        target->CopyBlock();
    } catch (const RuntimeError& e) {
        if (e.number() == workbook::kErrCopyRefused)
            ui::MsgBox(kCopyRefusal, ui::OKOnly | ui::Information, App::title());
        else
            ui::showFailure(e, QStringLiteral("mnucopy_err"));
    }
}

void SpreadForm::MnuCut_Click()
{
    try {
        WorkbookControl* target = commandTarget();
        target->EndCellEdit();
        const workbook::Block b = target->GetSelectedBlock();
        const bool monthView = target == F1BookMain && F1BookMain->CurrentSheet() == kMonthView;
        if (monthView) {
            if (refuseSeveralCells(cellsOf(b)))
                return;
            recordClipboardCell();
        }
        // Only the contents go: every cell keeps its own look, its protection included.
        target->SelectBlock(b.row1, b.col1, b.row2, b.col2);
        target->CopyBlock();
        target->book().DeleteSelection();
        if (monthView)
            carryClipboardEdit();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in Cut"));
    }
}

template <class Paste>
void SpreadForm::pasteCommand(const QString& caption, bool external, Paste&& paste)
{
    try {
        WorkbookControl* target = commandTarget();
        target->EndCellEdit();
        if (target == reportspread) {
            paste(*reportspread);
            reportspread->SetSelectionProtection(false, false);
            return;
        }
        if (refusePasteOnMonthView(external))
            return;
        paste(*F1BookMain);
        DoEvents();
        F1BookMain->SetSelectionProtection(false, false);
        carryClipboardEdit();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
    }
}

void SpreadForm::MnuPaste_Click()
{
    pasteCommand(QStringLiteral("Error in PASTE"), false, [](WorkbookControl& book) { book.PasteSpecial(1, 0); });
}

void SpreadForm::MnuPasteExternal_Click()
{
    pasteCommand(QStringLiteral("Error in PASTE EXTERNAL"), true, [](WorkbookControl& book) { book.PasteBlock(); });
}

void SpreadForm::MnuPasteSpecial_Click()
{
    try {
        WorkbookControl* target = commandTarget();
        target->EndCellEdit();
        const std::string copied = target->ClipboardText();
        if (target == reportspread) {
            if (!copied.empty())
                reportspread->PasteSpecialDialog();
            return;
        }
        if (copied == " ")
            return;
        if (refusePasteOnMonthView(false))
            return;
        // Pasted cells stay editable under protection, as with the other pastes.
        if (F1BookMain->PasteSpecialDialog())
            F1BookMain->SetSelectionProtection(false, false);
        carryClipboardEdit();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in PASTESPECIAL"));
    }
}

}
