#include "common/number_format.h"
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/view/cell_painter.h"
#include "platform/workbook/view/sheet_geometry.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "tests/scorecard/scorecard_window_fixture.h"

#include <QFontMetrics>
#include <QLocale>

using namespace ks;
using test::SpreadFormTest;

namespace {

struct NumberFormatsTest : SpreadFormTest {
    SpreadForm* w = nullptr;
    WorkbookControl* book = nullptr;
    NumberFormatsTest()
    {
        Main();
        w = &form<SpreadForm>();
        book = w->F1BookMain;
    }
    void setKpi(int kpi, const std::string& type, const std::string& decimals)
    {
        book->setBookText(2, kpi + 2, 6, type);
        book->setBookText(2, kpi + 2, 7, decimals);
    }
    std::string formatOf(const std::string& name)
    {
        book->setSelectionReference(book->NameReference(name));
        return book->SelectionNumberFormat();
    }
    void selectOnSetup(int r1, int c1, int r2, int c2)
    {
        book->setCurrentSheet(2);
        book->SelectBlock(r1, c1, r2, c2);
    }
};

}

TEST_F(NumberFormatsTest, EveryKpiGetsItsOwnFormatOnBothViews)
{
    setKpi(1, "percent", "1");
    setKpi(2, "Currency", "3");
    setKpi(3, "currency", "2");
    w->Formatcells();
    EXPECT_EQ(formatOf("KPI_1"), "0.0%;(0%)");
    EXPECT_EQ(formatOf("KPI_2"), "#,##0;(#,##0)") << "type and decimals are compared exactly";
    w->FormatcellsBulk();
    EXPECT_EQ(formatOf("KPI_1_bulk"), "0.0%;(0%)");

    // The currency KPI takes the locale's sign, and keeps "$" where the locale names none.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    w->Formatcells();
    EXPECT_EQ(QString::fromStdString(formatOf("KPI_3")), QString::fromUtf8("£#,##0.00;(£#,##0.00)"));
    QLocale::setDefault(QLocale::c());
    w->Formatcells();
    w->FormatcellsBulk();
    EXPECT_EQ(formatOf("KPI_3"), "$#,##0.00;($#,##0.00)");
    EXPECT_EQ(formatOf("KPI_3_bulk"), "$#,##0.00;($#,##0.00)");
    QLocale::setDefault(saved);

    // The charts get the literal dollar sign; a KPI out of range keeps the last format.
    w->Reports->ReportKpiIndex = 3;
    w->Reports->getformat();
    EXPECT_EQ(w->Reports->KPIFormat, "$#,##0.00;($#,##0.00)");
    w->Reports->ReportKpiIndex = 21;
    ui.answerMessage(ui::OK);
    EXPECT_THROW(w->Reports->getformat(), RuntimeError);
    EXPECT_EQ(w->Reports->KPIFormat, "$#,##0.00;($#,##0.00)");
}

TEST_F(NumberFormatsTest, DecimalButtonsChangeTheSampleAndWriteTheSetup)
{
    selectOnSetup(5, 4, 7, 4);
    book->setSelectionNumberFormat("#,##0;(#,##0)");
    w->IncreaseDecimal();
    EXPECT_EQ(book->SelectionNumberFormat(), "#,##0.0;(#,##0.0)");
    for (int r = 5; r <= 7; ++r) {
        EXPECT_EQ(book->BookText(2, r, 6), "number");
        EXPECT_EQ(book->BookText(2, r, 7), "1");
    }
    book->setSelectionNumberFormat("$#,##0.0;($#,##0.0)");
    w->DecreaseDecimal();
    EXPECT_EQ(book->SelectionNumberFormat(), "$#,##0;($#,##0)");
    EXPECT_EQ(book->BookText(2, 6, 6), "currency");
    EXPECT_EQ(book->BookText(2, 6, 7), "0");

    // Outside the sample column nothing changes.
    const std::string before = book->BookText(2, 5, 6);
    selectOnSetup(5, 5, 5, 5);
    book->setSelectionNumberFormat("0%;(0%)");
    w->IncreaseDecimal();
    EXPECT_EQ(book->SelectionNumberFormat(), "0%;(0%)");
    EXPECT_EQ(book->BookText(2, 5, 6), before);
}

TEST_F(NumberFormatsTest, FixedFormatsWriteOnlyKpiRowsOfTheSampleColumn)
{
    selectOnSetup(4, 2, 4, 2);
    const std::string type = book->BookText(2, 4, 6);
    w->ApplyFixedFormat(SpreadForm::FixedFormat::Dollar);
    EXPECT_EQ(book->SelectionNumberFormat(), "$#,##0;($#,##0)");
    EXPECT_EQ(book->BookText(2, 4, 6), type);

    selectOnSetup(21, 4, 24, 4);
    const std::string heading = book->BookText(2, 23, 6);
    w->ApplyFixedFormat(SpreadForm::FixedFormat::Percent);
    EXPECT_EQ(w->Reports->KPIFormat, "0%;(0%)");
    EXPECT_EQ(book->BookText(2, 21, 6), "percent");
    EXPECT_EQ(book->BookText(2, 22, 7), "0");
    EXPECT_EQ(book->BookText(2, 23, 6), heading) << "rows below the KPIs keep their cells";
}

TEST_F(NumberFormatsTest, TheSetupSheetShowsItsTextsWholeAndEachSampleInItsKpisFormat)
{
    using namespace scorecard::layout;
    w->MnuKPISETUP_Click();
    ASSERT_EQ(book->CurrentSheet(), kSetup);
    const workbook::Book& data = book->book();
    workbook::view::SheetGeometry g;
    g.rebuild(data.data().sheets[kSetup - 1], data.data().styles);

    // A left-aligned text may run on over the empty cells to its right, no further.
    for (int row = 1; row <= 80; ++row)
        for (int col = 1; col <= 40; ++col) {
            const workbook::Value value = data.BookValue(kSetup, row, col);
            const QString text = QString::fromStdString(data.SheetShownText(row, col));
            if (!value.isText() || text.isEmpty())
                continue;
            int room = g.colWidth(col);
            for (int next = col + 1; next <= 40 && data.BookValue(kSetup, row, next).isEmpty(); ++next)
                room += g.colWidth(next);
            const QFont font = workbook::view::fontOf(data.CellFormatAt(kSetup, row, col).font);
            EXPECT_LE(QFontMetrics(font).horizontalAdvance(text) + 4, room)
                << "cut: \"" << text.toStdString() << "\" at row " << row << ", column " << col;
        }

    // The sample of each KPI in use shows its type and decimals.
    int inUse = 0;
    for (int k = 1; k <= kKpiCount; ++k) {
        const int row = setup::kpiRow(k);
        if (data.BookText(kSetup, row, setup::kNameCol).empty())
            continue;
        ++inUse;
        const QString sample = QString::fromStdString(data.SheetShownText(row, setup::kFormatSampleCol));
        const std::string type = data.BookText(kSetup, row, setup::kFormatTypeCol);
        const std::string decimals = data.BookText(kSetup, row, setup::kDecimalsCol);
        EXPECT_EQ(sample.startsWith('$'), type == "currency") << k << ": " << sample.toStdString();
        EXPECT_EQ(sample.endsWith('%'), type == "percent") << k << ": " << sample.toStdString();
        const int shownDecimals = sample.contains('.') ? int(sample.size() - sample.indexOf('.') - 1 - sample.endsWith('%')) : 0;
        EXPECT_EQ(shownDecimals, decimals == "2" ? 2 : decimals == "1" ? 1 : 0) << k << ": " << sample.toStdString();
    }
    EXPECT_GT(inUse, 5);
}
