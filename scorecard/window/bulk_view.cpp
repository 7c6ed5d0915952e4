// The bulk data view: the data history sheet shown directly, so that many months of
// actuals and targets can be typed or read at once, and its Setup button.
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/spread_form.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace ks {

using namespace scorecard::layout;

namespace {

// The lines of a history month, counted from its actual line.
enum MonthLine { kActualLine = 0, kTargetLine = 1, kPercentLine = 2, kVarianceLine = 3 };
enum BulkChoice { kShowActuals = 0, kShowTargets = 1, kShowBoth = 2 };
const char* const kPercentFormat = "0%;(0%)";

// Every history row of one kind that the bulk view works on.
template <class F>
void forEachLine(MonthLine line, F&& f)
{
    for (int row = history::kFirstRow + line; row <= history::kBulkLastRow; row += 4)
        f(row);
}

int monthsOfHistory(double value)
{
    return std::isfinite(value) && std::abs(value) < 1e6 ? static_cast<int>(std::floor(value)) : 0;
}

// The Setup button belongs to the bulk view: it comes and goes with the view's list,
// whichever screen shows or hides the list.
class FollowShown : public QObject {
public:
    FollowShown(QWidget* leader, QWidget* follower) : QObject(leader), follower_(follower)
    {
        leader->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            follower_->setVisible(!static_cast<QWidget*>(watched)->isHidden());
        return false;
    }

private:
    QWidget* follower_;
};

}

void SpreadForm::buildBulkViewControls()
{
    ComboBulkData->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Until the user chooses, the view shows what the first item names.
    ComboBulkData->setPlaceholderText(QStringLiteral("Display actual data"));
    QObject::connect(ComboBulkData, &QComboBox::activated, this, [this](int) { ComboBulkData_Click(); });
    CommandSetupSpreadsheet = new QPushButton(QStringLiteral("Setup"), this);
    CommandSetupSpreadsheet->setToolTip(QStringLiteral("Reset the views of the set-up, history and month sheets"));
    CommandSetupSpreadsheet->hide();
    QObject::connect(CommandSetupSpreadsheet, &QPushButton::clicked, this, [this] { CommandSetupSpreadsheet_Click(); });
    new FollowShown(ComboBulkData, CommandSetupSpreadsheet);
}

// To the right of the list, with the gap the toolbar row keeps between its controls.
void SpreadForm::placeBulkViewControls()
{
    ComboBulkData->adjustSize();
    const int gap = ComboBulkData->width() / 10;
    CommandSetupSpreadsheet->setGeometry(ComboBulkData->x() + ComboBulkData->width() + gap, ComboBulkData->y(),
                                         CommandSetupSpreadsheet->sizeHint().width(), ComboBulkData->height());
}

void SpreadForm::MnuBulkData_Click()
{
    try {
        Reports->Frame10->hide();
        reportspread->setHostVisible(false);
        F1BookMain->setHostVisible(true);
        try {
            FormatcellsBulk();
        } catch (const RuntimeError&) {
            // Already reported; the history is still worth showing in the template's formats.
        }
        const int months = monthsOfHistory(F1BookMain->BookNumber(kSetup, setup::kHistoryMonthsRow, setup::kHistoryMonthsCol));
        F1BookMain->setCurrentSheet(kHistory);
        F1BookMain->setViewSwitchB(false);
        F1BookMain->setViewSwitchA(false);
        F1BookMain->setViewNumberH(11);
        F1BookMain->setViewNumberC(11);
        F1BookMain->setViewNumberD(1);
        F1BookMain->setViewNumberG(4);
        F1BookMain->setViewNumberE(months + 5);
        F1BookMain->setViewNumberA(4);
        F1BookMain->setViewNumberB(1);
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
        ComboBulkData->show();
        ComboBulkData_Click();
        ComboCoachMode->hide();
        LabelCoachMode->hide();
        EditBarCaption();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in MnuBulkData_Click_err");
    }
}

void SpreadForm::ComboBulkData_Click()
{
    try {
        ComboBulkData->show();
        const int choice = ComboBulkData->currentIndex();
        auto hide = [this](int row) { F1BookMain->setRowHiddenFlag(row, true); };
        for (int row = history::kFirstRow; row <= history::kBulkLastRow; ++row)
            F1BookMain->setRowHiddenFlag(row, false);
        if (choice == kShowTargets) {
            for (MonthLine line : {kActualLine, kPercentLine, kVarianceLine})
                forEachLine(line, hide);
        } else if (choice == kShowBoth) {
            // The KPI formats laid over whole history columns also reach these lines.
            const auto selected = F1BookMain->GetSelectedBlock();
            for (MonthLine line : {kPercentLine, kVarianceLine})
                forEachLine(line, [this](int row) {
                    F1BookMain->SelectBlock(row, history::kFirstPercentCol, row, history::kLastCol);
                    F1BookMain->setSelectionNumberFormat(kPercentFormat);
                });
            // Typing goes where the user left the cursor, not to the last line formatted.
            F1BookMain->SelectBlock(selected.row1, selected.col1, selected.row2, selected.col2);
        } else {
            for (MonthLine line : {kTargetLine, kPercentLine, kVarianceLine})
                forEachLine(line, hide);
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "combobulkdata_Err");
    }
}

void SpreadForm::CommandSetupSpreadsheet_Click()
{
    try {
        F1BookMain->setCurrentSheet(kSetup);
        F1BookMain->setViewNumberG(1);
        F1BookMain->setViewNumberE(20);
        F1BookMain->setViewNumberH(1);
        F1BookMain->setViewNumberF(75);
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
        F1BookMain->setSheetProtected(true);
        DoEvents();
        F1BookMain->setCurrentSheet(kHistory);
        F1BookMain->setSheetProtected(true);
        DoEvents();
        F1BookMain->setCurrentSheet(kMonthView);
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
        // The month sheet is shown now: its controls, so that a pick in the bulk list
        // cannot hide rows of the month view.
        ComboBulkData->hide();
        ComboCoachMode->show();
        LabelCoachMode->show();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in CommandSetupSpreadsheet_Click");
    }
}

}
