// The edit road of the month view: an edit is recorded when it starts and, when it
// ends, a changed actual or target is copied into the data history and a changed
// comment or section line into the text histories.
#include "coaching/coach_comments.h"
#include "coaching/help_videos.h"
#include "common/dialogs.h"
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

#include <cmath>

namespace ks {

using namespace scorecard::layout;

namespace {

constexpr int kDeleteKey = 46;

bool isKpiRow(int row) { return row >= month::kFirstKpiRow && row <= month::kLastKpiRow; }
bool isSectionRow(int row) { return row >= month::kSuccessFirstRow && row <= month::kInnovationLastRow; }

// The history line a formula cell names, when it is one: a stored file may hold anything.
int wholePart(double value) { return std::isfinite(value) ? static_cast<int>(std::floor(value)) : -1; }

}

void SpreadForm::connectWorkbookEvents()
{
    F1BookMain->StartEdit = [this] { F1BookMain_StartEdit(); };
    F1BookMain->KeyDown = [this](int& key, int shift) { F1BookMain_KeyDown(key, shift); };
    F1BookMain->KeyUp = [this](int key, int shift) { F1BookMain_KeyUp(key, shift); };
    F1BookMain->Click = [this](int, int) { F1BookMain_Click(); };
    F1BookMain->EndEdit = [this](std::string& text) { F1BookMain_EndEdit(text); };
    F1BookMain->HourglassEvent = [this] { F1BookMain_HourglassEvent(); };
    F1BookMain->ObjValueChanged = [this](const std::string& name, int id) { F1BookMain_ObjValueChanged(name, id); };
    QObject::connect(F1BookMain, &WorkbookControl::hostTagChanged, this,
                     [this] { setWindowModified(F1BookMain->HostTag() == kChangedMarker.toStdString()); });
}

void SpreadForm::recordEdit()
{
    const workbook::CellPos cell = F1BookMain->GetCursorCell();
    CellEdit.row = cell.row;
    CellEdit.column = cell.col;
    if (F1BookMain->CurrentSheet() != kMonthView)
        return;
    const int row = cell.row, col = cell.col;
    if (isKpiRow(row) && (col == month::kActualCol || col == month::kTargetCol)) {
        CellEdit.textBefore = F1BookMain->SheetText(row, col);
        CellEdit.valueEdit = 1;
    } else if ((isKpiRow(row) && col == month::kCommentCol) || isSectionRow(row)) {
        CellEdit.textBefore = F1BookMain->SheetText(row, col);
        CellEdit.textEdit = 1;
    }
}

void SpreadForm::F1BookMain_StartEdit()
{
    try {
        recordEdit();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Startedit_err");
    }
}

void SpreadForm::F1BookMain_KeyDown(int& keyCode, int)
{
    try {
        // Delete empties the cell without starting an edit.
        if (keyCode == kDeleteKey)
            recordEdit();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "F1BookMain_KeyDownErr");
    }
}

bool SpreadForm::endEdit(std::int16_t& flag, void (SpreadForm::*update)())
{
    const bool changed = F1BookMain->SheetText(CellEdit.row, CellEdit.column) != CellEdit.textBefore;
    if (changed) {
        F1BookMain->setHostEnabled(false);
        (this->*update)();
        F1BookMain->setHostEnabled(true);
        // The history now holds what was typed: closing must offer to save it.
        F1BookMain->setHostTag(kChangedMarker.toStdString());
    }
    flag = 0;
    CellEdit.textBefore.clear();
    return changed;
}

bool SpreadForm::endValueEdit() { return endEdit(CellEdit.valueEdit, &SpreadForm::Updatedata); }
bool SpreadForm::endTextEdit() { return endEdit(CellEdit.textEdit, &SpreadForm::Updatetext); }

void SpreadForm::F1BookMain_KeyUp(int, int)
{
    try {
        if (CellEdit.valueEdit == 1 && endValueEdit())
            coachcomment(CellEdit.row);
        if (CellEdit.textEdit == 1)
            endTextEdit();
        F1BookMain->setHostEnabled(true);
        F1BookMain->HostFocus();
    } catch (const RuntimeError& e) {
        F1BookMain->setHostEnabled(true);
        ui::showFailure(e, "F1BookMain_KeyUpErr");
    }
}

void SpreadForm::F1BookMain_Click()
{
    try {
        const workbook::CellPos cell = F1BookMain->GetCursorCell();
        if (F1BookMain->CurrentSheet() == kMonthView && cell.col == month::kNameCol) {
            if (isKpiRow(cell.row))
                ui::MsgBox(QStringLiteral("If you would like to change, add or delete any KPI's, click on the 'SETUP' "
                                          "icon on the toolbar at the top of your screen."),
                           ui::OKOnly | ui::Information, App::title());
            if (cell.row >= month::kYearNoteFirstRow && cell.row <= month::kYearNoteLastRow)
                ui::MsgBox(QStringLiteral("To change your Financial Year select TOOLS OPTIONS from the menu."),
                           ui::OKOnly | ui::Information, App::title());
        }
        if (CellEdit.valueEdit == 1) {
            if (endValueEdit()) {
                F1BookMain->HostFocus();
                coachcomment(CellEdit.row);
            }
            return;
        }
        if (CellEdit.textEdit == 1) {
            if (endTextEdit())
                F1BookMain->HostFocus();
        } else {
            CellEdit.row = cell.row;
            CellEdit.column = cell.col;
            DoEvents();
            Videogeneralinformation(CellEdit.row, CellEdit.column);
        }
        F1BookMain->setHostTag(kChangedMarker.toStdString());
    } catch (const RuntimeError& e) {
        F1BookMain->setHostEnabled(true);
        ui::showFailure(e, "f1bookmainclick");
    }
}

void SpreadForm::Updatedata()
{
    F1BookMain->setHostEnabled(false);
    const int row = CellEdit.row, col = CellEdit.column;
    if (isKpiRow(row) && (col == month::kActualCol || col == month::kTargetCol)) {
        const double value = F1BookMain->BookNumber(kMonthView, row, col);
        const int line = wholePart(F1BookMain->BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol));
        // Only an actual line of the history: a damaged selection must not overwrite other rows.
        const bool inHistory = line >= history::kFirstRow && line <= history::actualRow(kHistoryMonths - 1)
                               && (line - history::kFirstRow) % 4 == 0;
        if (inHistory)
            F1BookMain->setBookNumber(kHistory, col == month::kActualCol ? line : line + 1, row + 2, value);
    }
    DoEvents();
    F1BookMain->RecalculateBook();
    F1BookMain->setHostEnabled(true);
}

void SpreadForm::Updatetext()
{
    HourglassOn();
    try {
        const int row = CellEdit.row, col = CellEdit.column;
        const std::string text = F1BookMain->BookText(kMonthView, row, col);
        auto historyLine = [&](int sheet) {
            const int m = wholePart(F1BookMain->BookNumber(sheet, texts::kMonthNumberRow, texts::kMonthNumberCol));
            return m >= 0 && m < kHistoryMonths ? texts::lineRow(m) : 0;
        };
        if (isKpiRow(row) && col == month::kCommentCol) {
            if (const int line = historyLine(kKpiComments))
                F1BookMain->setBookText(kKpiComments, line, row + 3, text);
        } else if (const int target = texts::sectionColumn(row, col)) {
            if (const int line = historyLine(kSectionTexts))
                F1BookMain->setBookText(kSectionTexts, line, target, text);
        }
        DoEvents();
        F1BookMain->RecalculateBook();
        HourglassOff();
    } catch (...) {
        HourglassOff();
        throw;
    }
}

void SpreadForm::F1BookMain_EndEdit(std::string& text)
{
    const int row = CellEdit.row;
    if (F1BookMain->CurrentSheet() != kSetup || CellEdit.column != setup::kFormatSampleCol
        || row < setup::kFirstKpiRow || row > setup::kLastKpiRow || text == "0")
        return;
    // The format sample column is not for data: put it back and show how formats are set.
    text = "0";
    PlayHelpVideo(QStringLiteral("Formating data entry cells.wmv"), "F1BookMain_EndEdit");
}

void SpreadForm::F1BookMain_HourglassEvent()
{
    HourglassOn();
    HourglassOff();
}

}
