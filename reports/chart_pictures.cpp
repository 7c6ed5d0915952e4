// Each chart placed into the report sheet below the report, two side by side, so that
// the report prints with its charts. The page breaks between rows of charts are set with
// the print set-up, once the page size is known.
#include "platform/chart/chart_control.h"
#include "platform/runtime/events.h"
#include "platform/ui/failure.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"

namespace ks::reports {

namespace {

constexpr int kMaxPlacedCharts = 20, kChartRows = 16, kChartPitch = 17;
constexpr double kLeftHalf = 1.0, kRightHalf = 8.0, kChartColumns = 6.0;
constexpr int kIsotropic = 7;

}

void ReportScreen::MoveChartPictureToSheet(int item)
{
    const int m = ReportChartCount - 1;
    if (m < 0 || m >= kMaxPlacedCharts)
        return;
    const bool leftHalf = m % 2 == 0;
    const double left = leftHalf ? kLeftHalf : kRightHalf;
    const double top = ReportEndRow + 2 + (leftHalf ? ChartLeftOffset : ChartRightOffset);
    const double bottom = top + kChartRows;
    // A missing printer is passed over; any other failure is told and ends the placement.
    auto step = [](const std::function<void()>& f) {
        try {
            f();
            return true;
        } catch (const RuntimeError& e) {
            if (e.number() == workbook::kErrNoPrinter)
                return true;
            ui::showFailure(e, QStringLiteral("Error : MoveChartPictureToSheet"));
            return false;
        }
    };
    auto place = [&] {
        const chart::ChartMetafile picture = VtChart1->RenderMetafile(1);
        if (leftHalf)
            DoEvents();
        reportspread->AddPictureObject(left, top, left + kChartColumns, bottom, picture.bytes, kIsotropic,
                                       picture.width, picture.height);
    };
    if (!leftHalf) {
        if (step(place))
            ChartRightOffset += kChartPitch;
        return;
    }
    const int lastRow = static_cast<int>(bottom);
    const bool placed = step([&] { VtChart1->hide(); }) && step(place) && step([&] {
        VtChart1->WritePictureFile(chartPicturePath(item), chart::kPictureJpeg, kChartJpegQuality);
        DoEvents();
        DoEvents();
    }) && step([&] {
        // The cursor marks the chart's corner; the sheet is not scrolled there, so the user
        // keeps the view they had while the charts are made.
        reportspread->PlaceCursor(lastRow, 1);
    });
    if (placed) {
        DoEvents();
        ChartLeftOffset += kChartPitch;
    }
}

}
