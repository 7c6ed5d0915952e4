// The month view, the KPI set-up and the report screens, and the Edit menu's edit-bar entry.
#include "coaching/main_video.h"
#include "common/dialogs.h"
#include "common/layout/scorecard_layout.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/spread_form.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QToolBar>

namespace ks {

using namespace scorecard::layout;

namespace {

}

void SpreadForm::MnuMonthData_Click()
{
    // Each step on its own: a failure never leaves the toolbar disabled.
    auto step = [](const std::function<void()>& f) { ui::runStep("Error in MnuMonthData_Click_err", f); };
    step([&] { Picture1->raise(); });
    step([&] { Toolbar1->setEnabled(false); });
    step([&] { F1BookMain->setHostVisible(true); });
    step([&] { loadcomboValues(); });
    step([&] { Formatcells(); });
    step([&] { showMonthViewControls(); });
    step([&] { ShowToolbar2(); });
    step([&] { F1BookMain_ObjValueChanged(month::kMonthListName, month::kMonthListId); });
    Toolbar1->setEnabled(true);
    step([&] {
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
    });
    step([&] { Picture1->lower(); });
    step([&] { EditBarCaption(); });
}

void SpreadForm::MnuKPISETUP_Click()
{
    try {
        showMonthViewControls();
        F1BookMain->setHostVisible(true);
        ShowToolbar2();
        F1BookMain->setCurrentSheet(kSetup);
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
        F1BookMain->setViewSwitchB(false);
        F1BookMain->setViewSwitchA(false);
        F1BookMain->setViewNumberE(20);
        F1BookMain->setViewNumberF(76);
        EditBarCaption();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error KPISETupClick");
    }
}

void SpreadForm::EditBarCaption()
{
    try {
        const WorkbookControl* seen = reportspread->HostVisible() ? reportspread : F1BookMain;
        MnuEditBar->setText(seen->EditBarShown() ? QStringLiteral("Hide Edit Bar") : QStringLiteral("Show Edit Bar"));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in editbarcaption_err");
    }
}

void SpreadForm::MnuViewReports_Click()
{
    try {
        ComboBulkData->hide();
        ComboCoachMode->hide();
        LabelCoachMode->hide();
        Reports->enter();
        // The coach's window would cover the report's charts, whichever way the screen was entered.
        if (formSlot<MainVideo>().isLoaded())
            form<MainVideo>().Hide();
        HideToolbar2();
        EditBarCaption();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in MnuViewReports_Click_err"));
    }
}

}
