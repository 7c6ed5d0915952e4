#include "common/number_format.h"
#include "platform/workbook/view/workbook_control.h"
#include "tests/scorecard/scorecard_window_fixture.h"

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
    w->ReportKpiIndex = 3;
    w->getformat();
    EXPECT_EQ(w->KPIFormat, "$#,##0.00;($#,##0.00)");
    w->ReportKpiIndex = 21;
    ui.answerMessage(ui::OK);
    EXPECT_THROW(w->getformat(), RuntimeError);
    EXPECT_EQ(w->KPIFormat, "$#,##0.00;($#,##0.00)");
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
    EXPECT_EQ(w->KPIFormat, "0%;(0%)");
    EXPECT_EQ(book->BookText(2, 21, 6), "percent");
    EXPECT_EQ(book->BookText(2, 22, 7), "0");
    EXPECT_EQ(book->BookText(2, 23, 6), heading) << "rows below the KPIs keep their cells";
}
