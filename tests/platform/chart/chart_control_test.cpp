#include "chart_fixture.h"
#include "platform/chart/chart_errors.h"
#include "platform/chart/chart_type_dialog.h"
#include "tests/support/chart_preview.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace ks::chart;
using namespace ks::chart::test;

namespace {

std::vector<std::vector<QString>> twoSeries()
{
    return {{"100", "250", "175", "300"}, {"200", "200", "200", "200"}};
}

// Answers the next modal dialog: picks code in its list (unless cancelled) and closes it.
void answerTypeDialog(int code, bool accept)
{
    QTimer::singleShot(0, [code, accept] {
        auto* dialog = dynamic_cast<ChartTypeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectType(code);
        accept ? dialog->accept() : dialog->reject();
    });
}

}

TEST(ChartControl, TheTypeReadsBackAsSetIncludingCodesItDoesNotDraw)
{
    ChartControl chart;
    EXPECT_EQ(chart.ChartType(), kBar);
    for (int code : std::initializer_list<int>{kBar, kLine, kArea, kStep, kCombination, kBarDepth, kAreaDepth, 14, 99, -3}) {
        chart.setChartType(code);
        EXPECT_EQ(chart.ChartType(), code);
    }

    // A code it does not draw is drawn as the flat bar chart.
    chart.resize(320, 200);
    fillReportChart(chart, twoSeries(), {"Actual", "Budget"}, "Sales");
    chart.setChartType(kBar);
    const QImage bar = chart.RenderImage();
    chart.setChartType(14);
    EXPECT_EQ(chart.RenderImage(), bar);
    chart.setChartType(kLine);
    EXPECT_NE(chart.RenderImage(), bar);
}

TEST(ChartControl, TheTypeDialogSetsThePickedTypeAndCancelKeepsTheOldOne)
{
    ChartControl chart;
    fillReportChart(chart, twoSeries(), {"Actual", "Budget"}, "Sales");
    chart.setChartType(kBar);
    answerTypeDialog(kStep, true);
    chart.EditChartType();
    EXPECT_EQ(chart.ChartType(), kStep);

    answerTypeDialog(kArea, false);
    chart.EditChartType();
    EXPECT_EQ(chart.ChartType(), kStep);

    // A custom code is offered as it is, so OK without a new pick keeps it.
    chart.setChartType(42);
    ChartTypeDialog dialog(chart.model());
    EXPECT_EQ(dialog.chosenType(), 42);
    EXPECT_EQ(dialog.typeList()->count(), static_cast<int>(chartTypes().size()) + 1);
    dialog.selectType(kLine);
    EXPECT_EQ(dialog.chosenType(), kLine);
    ks::test::keepPreview("type_dialog.png", [&](const QString& path) { return dialog.grab().save(path); });
}

TEST(ChartControl, BadNumbersAreRefusedAndChangeNothing)
{
    ChartControl chart;
    fillReportChart(chart, twoSeries(), {"Actual", "Budget"}, "Sales");
    const ChartModel before = chart.model();
    EXPECT_EQ(errorNumberOf([&] { chart.setAxisLabelFormat(3, "0%"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setAxisLabelBold(-1, true); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setAxisLabelFontSize(1, 0); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setLegendPosition(8); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setTitlePosition(-1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setTitleTextLayout(0, 2, 2); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setSeriesLegendText(3, "Forecast"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.setLegendFontSize(-8); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.RenderMetafile(2); }), kErrBadArgument);
    EXPECT_EQ(chart.model().legend.position, before.legend.position);
    EXPECT_EQ(chart.AxisLabelLevel(kValueAxis).fontSize, 8);
    EXPECT_EQ(chart.TitlePosition(), kTop);
    EXPECT_EQ(chart.SeriesLegendText(2), "Budget");
}

TEST(ChartControl, SeriesComeFromRowsOrColumnsWithTheirLegendTexts)
{
    ChartControl chart;
    fillReportChart(chart, twoSeries(), {"Actual", "Budget"}, "Sales");
    EXPECT_EQ(chart.model().seriesCount(), 2);
    EXPECT_EQ(chart.model().categoryLabel(2), "Feb-26");
    EXPECT_EQ(chart.Value(1, 4), 300);
    chart.setSeriesInRows(false);
    EXPECT_EQ(chart.model().seriesCount(), 4);
    EXPECT_EQ(chart.model().value(4, 1), 300);
    EXPECT_EQ(chart.SeriesLegendText(3), "Mar-26") << "a series without a text of its own shows its label";
    EXPECT_EQ(chart.model().categoryLabel(2), "2");
    EXPECT_EQ(chart.SeriesLegendText(4), "Apr-26");
}
