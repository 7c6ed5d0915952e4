// The report charts' type: chosen with the graph buttons or the chart's own editing,
// kept in the scorecard workbook so that it travels with the scorecard file.
#include "common/dialogs.h"
#include "common/layout/scorecard_layout.h"
#include "platform/chart/chart_control.h"
#include "platform/chart/chart_type.h"
#include "platform/ui/failure.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"

#include <QRadioButton>

namespace ks::reports {

using namespace scorecard::layout;

namespace {

// The types of the buttons "Line Graph" to "Default Graph"; "Custom Graph" keeps the chart's.
constexpr int kButtonTypes[] = {chart::kLine, chart::kBar, chart::kArea, chart::kBar};

}

void ReportScreen::storeGraphType()
{
    // The type is part of the scorecard: a new one is a change to save. Entering the screen
    // stores the type it read, which changes nothing.
    if (VtChart1->ChartType() == storedGraphType())
        return;
    F1BookMain->setBookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol, VtChart1->ChartType());
    if (window_.markScorecardChanged)
        window_.markScorecardChanged();
}

void ReportScreen::OptionGraph_Click(int)
{
    // Each step on its own: the type is stored even when choosing it failed.
    auto step = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            HourglassOff();
            ui::showFailure(e, QStringLiteral("Error in OptionGraph_Click_err"));
        }
    };
    step([&] {
        if (OptionGraph[kCustomGraph]->isChecked())
            return;
        for (int i = kFirstGraphButton; i < kCustomGraph; ++i)
            if (OptionGraph[i]->isChecked()) {
                VtChart1->setChartType(kButtonTypes[i - kFirstGraphButton]);
                return;
            }
    });
    step([&] { storeGraphType(); });
}

void ReportScreen::Command2_Click()
{
    try {
        OptionGraph[kCustomGraph]->setChecked(true);
        VtChart1->EditChartType();
        storeGraphType();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Command2_err"));
    }
}

}
