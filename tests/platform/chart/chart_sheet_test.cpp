// The chart's metafile as a report sheet takes it: a picture object that the sheet draws.
#include "chart_fixture.h"
#include "platform/chart/paint_parts.h"
#include "platform/workbook/view/workbook_control.h"
#include "tests/support/chart_preview.h"

#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace ks::chart;
using namespace ks::chart::test;

TEST(ChartOnSheet, TheMetafileBecomesAPictureObjectThatTheSheetDraws)
{
    ChartControl chart;
    chart.resize(400, 260);
    fillReportChart(chart, {{"1200", "1350", "900", "1500"}, {"1000", "1100", "1200", "1300"}}, {"Actual", "Budget"},
                    "Sales");
    const ChartMetafile meta = chart.RenderMetafile(1);

    ks::workbook::view::WorkbookControl sheet;
    sheet.resize(900, 600);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    const int id = sheet.AddPictureObject(1.0, 2.0, 7.0, 18.0, meta.bytes, 7, meta.width, meta.height);
    ASSERT_GT(id, 0);
    const auto pictures = sheet.book().PictureObjects(sheet.CurrentSheet());
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures.front()->width, 400);
    EXPECT_EQ(pictures.front()->height, 260);

    const QImage shot = sheet.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int blue = 0, orange = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            blue += shot.pixel(x, y) == seriesColor(1).rgb();
            orange += shot.pixel(x, y) == seriesColor(2).rgb();
        }
    EXPECT_GT(blue, 200);
    EXPECT_GT(orange, 200);
    ks::test::keepPreview("sheet.png", [&](const QString& path) { return shot.save(path); });
}
