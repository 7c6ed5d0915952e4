#pragma once
// The scorecard window opened on the sample, for the menu commands and the windows they open.
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard_window_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace ks::test {

struct ScorecardCommandTest : SpreadFormTest {
    SpreadForm* w = nullptr;
    WorkbookControl* book = nullptr;

    ScorecardCommandTest()
    {
        settings(dir.str() + "/spreadsheets/Sample.vqa", "2");
        Main();
        w = &form<SpreadForm>();
        book = w->F1BookMain;
    }
    // What a test changes is not saved: closing must not ask.
    ~ScorecardCommandTest() override { book->setHostTag({}); }

    // The report screen as the report command leaves it, with a few cells of its own.
    void showReport()
    {
        w->reportspread->setHostVisible(true);
        w->reportspread->setSheetNumber(1, 1, 11);
        w->reportspread->setSheetNumber(1, 2, 12);
    }
    // The history's line of the month shown, where the month view's actuals are carried.
    int actualLine() const
    {
        using namespace scorecard::layout;
        return static_cast<int>(book->BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol));
    }
    double historyActual(int kpi) const
    {
        using namespace scorecard::layout;
        return book->BookNumber(kHistory, actualLine(), history::kpiCol(kpi));
    }
};

// Runs `act` on the next modal window once the event loop has it up.
inline void onNextModal(std::function<void(QWidget&)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(*modal);
    });
}

// Rejects the next modal dialog; `opener` tells whether `owner` opened it.
inline void rejectNextDialog(const QWidget* owner, bool& opener)
{
    opener = false;
    onNextModal([owner, &opener](QWidget& dialog) {
        opener = dialog.parentWidget() == owner;
        static_cast<QDialog&>(dialog).reject();
    });
}

}
