// Month selection: the month and year lists embedded in the month view choose the
// month it shows; a change refills it from the history sheets.
#include "common/dialogs.h"
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"
#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/progress_window.h"
#include "scorecard/window/spread_form.h"

#include <QLabel>

namespace ks {

using namespace scorecard::layout;

namespace {

const QString kUpdating = QStringLiteral("Updating data...");

void announce(const QString& stage)
{
    form<FormcreatingGraphs>().Label1->setText(stage);
    DoEvents();
}

void hideProgress()
{
    if (formSlot<FormcreatingGraphs>().isLoaded())
        form<FormcreatingGraphs>().Hide();
}

// A history text "0" means none.
std::string shownText(const std::string& history) { return history == "0" ? std::string() : history; }

struct SectionStage {
    const char* label;
    int lines, sourceCol, firstRow, targetCol;
};

const SectionStage kSectionStages[] = {
    {"Major successes now being updated...", 2, texts::kSuccessCol, month::kSuccessFirstRow, month::kLeftTextCol},
    {"Major obstacles now being updated...", 2, texts::kObstacleCol, month::kSuccessFirstRow, month::kRightTextCol},
    {"Marketing plan now being updated...", 7, texts::kMarketingCol, month::kPlanFirstRow, month::kLeftTextCol},
    {"Financial plan now being updated...", 7, texts::kFinancialCol, month::kPlanFirstRow, month::kRightTextCol},
    {"Innovation plan now being updated...", 7, texts::kInnovationCol, month::kInnovationFirstRow, month::kLeftTextCol},
    {"Systems and processes Plan now being updated...", 7, texts::kSystemsCol, month::kInnovationFirstRow,
     month::kRightTextCol},
};

}

void SpreadForm::F1BookMain_ObjValueChanged(const std::string&, int id)
{
    try {
        HourglassOn();
        FormcreatingGraphs& progress = form<FormcreatingGraphs>();
        progress.setWindowTitle(kUpdating);
        progress.Label1->setText(kUpdating);
        progress.Show();
        progress.raise();
        F1BookMain->RecalculateBook();
        if (!refuseMonthOutsideHistory() && (id == month::kMonthListId || id == month::kYearListId))
            refillMonthView();
        HourglassOff();
        hideProgress();
    } catch (RuntimeError& e) {
        HourglassOff();
        hideProgress();
        e.passOn("F1BookMain_ObjValueChangederr");
        throw;
    }
}

bool SpreadForm::refuseMonthOutsideHistory()
{
    const double selected = F1BookMain->BookNumber(kHistory, history::kSelectedDateRow, history::kSelectedDateCol);
    const double first = F1BookMain->BookNumber(kHistory, history::kFirstRow, history::kDateCol);
    const double last = F1BookMain->BookNumber(kHistory, history::actualRow(kHistoryMonths - 1), history::kDateCol);
    double backTo = 0;
    if (selected < first) {
        ui::MsgBox(QStringLiteral("Can't set the date to before the first entered date of data history"),
                   ui::OKOnly | ui::Information, App::title());
        backTo = first;
    } else if (last >= first && selected > last) {
        // The history has no line for it: edits would land in its last month.
        ui::MsgBox(QStringLiteral("Can't set the date to after the last month of data history"),
                   ui::OKOnly | ui::Information, App::title());
        backTo = last;
    } else {
        return false;
    }
    const workbook::CivilDate date = workbook::civilFromSerial(backTo);
    F1BookMain->setListSelection(month::kYearListId, date.year % 10);
    F1BookMain->setListSelection(month::kMonthListId, date.month - 1);
    // The view may still show the month before the refused choice: bring it in line with the lists.
    F1BookMain->RecalculateBook();
    refillMonthView();
    return true;
}

void SpreadForm::refillMonthView()
{
    WorkbookControl& book = *F1BookMain;
    auto inUse = [&](int slot) { return !book.BookText(kMonthView, month::kFirstKpiRow + slot, month::kNameCol).empty(); };

    announce(QStringLiteral("Actuals data now being updated..."));
    for (int i = 0; i < kKpiCount; ++i) {
        const int row = month::kFirstKpiRow + i;
        if (inUse(i))
            book.setBookNumber(kMonthView, row, month::kActualCol,
                               book.BookNumber(kHistory, history::kSelectedActualRow, history::kpiCol(i + 1)));
        else if (book.CurrentSheet() == kMonthView)
            book.ClearBlock(row, month::kActualCol, row, month::kTargetCol, 3);
    }
    announce(QStringLiteral("Target data now being updated..."));
    for (int i = 0; i < kKpiCount; ++i)
        if (inUse(i))
            book.setBookNumber(kMonthView, month::kFirstKpiRow + i, month::kTargetCol,
                               book.BookNumber(kHistory, history::kSelectedTargetRow, history::kpiCol(i + 1)));
    announce(QStringLiteral("Monthly comments now being updated..."));
    for (int i = 0; i < kKpiCount; ++i) {
        const int row = month::kFirstKpiRow + i;
        if (inUse(i))
            book.setBookText(kMonthView, row, month::kCommentCol,
                             shownText(book.BookText(kKpiComments, texts::kSelectedRow, texts::commentCol(i + 1))));
        else if (book.CurrentSheet() == kMonthView)
            book.ClearBlock(row, month::kCommentCol, row, month::kCommentCol, 3);
    }
    for (const SectionStage& stage : kSectionStages) {
        announce(QString::fromUtf8(stage.label));
        for (int i = 0; i < stage.lines; ++i)
            book.setBookText(kMonthView, stage.firstRow + i, stage.targetCol,
                             shownText(book.BookText(kSectionTexts, texts::kSelectedRow, stage.sourceCol + i)));
    }
}

void SpreadForm::loadcomboValues()
{
    F1BookMain->setCurrentSheet(kMonthView);
    const std::pair<int, int> lists[] = {{month::kSuccessListId, month::kSuccessHeaderRow},
                                         {month::kPlanListId, month::kPlanHeaderRow},
                                         {month::kInnovationListId, month::kInnovationHeaderRow}};
    for (const auto& [id, headerRow] : lists) {
        const int keep = F1BookMain->ListSelection(id);
        const int count = F1BookMain->ListItemCount(id);
        for (int n = 0; n < count; ++n)
            F1BookMain->RemoveListItem(id, 0);
        for (int row = month::kFirstKpiRow; row <= month::kLastKpiRow; ++row) {
            const std::string name = F1BookMain->SheetText(row, month::kNameCol);
            if (!name.empty())
                F1BookMain->AppendListItem(id, name);
        }
        // A choice past the end of a shorter list is dropped; the header keeps its text.
        if (keep >= 0 && keep <= F1BookMain->ListItemCount(id) - 1) {
            F1BookMain->setListSelection(id, keep);
            F1BookMain->setBookText(kMonthView, headerRow, month::kSectionNameCol, F1BookMain->ListItemText(id, keep));
        }
    }
}

}
