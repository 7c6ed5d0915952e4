// The printed report and its spreadsheet export, read back as a reader sees them: every
// page with numbers names their KPI and line, every chart whole on one page, and
// LibreOffice paging the exported file as our printout pages it.
#include "platform/shell/scripted_shell.h"
#include "reports/report_sheet.h"
#include "tests/reports/report_fixture.h"
#include "tests/support/largest_scorecard.h"
#include "tests/support/pdf_reader.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <map>
#include <set>

using namespace ks;
using test::ReportTest;

namespace {

struct PrintoutTest : ReportTest {
    shell::ScriptedShell desktop;
    PrintoutTest() { shell::setShell(&desktop); }
    ~PrintoutTest() override { shell::setShell(nullptr); }
    QString out(const QString& name) const { return QString::fromStdString(dir.str()) + "/" + name; }

    // The report with graphs over all 24 months, printed to a PDF through File > Print.
    QString printedReport(const QString& name)
    {
        generate(kLast - 23, kLast, reports::kActualAndBudget, true);
        ui.answerPrint(true, out(name));
        w->MnuPrint_Click();
        EXPECT_TRUE(QFile::exists(out(name)));
        return out(name);
    }
    QStringList kpiNames() const
    {
        QStringList names;
        for (int k = 1; k <= screen->ReportChartCount; ++k)
            names << QString::fromStdString(report->SheetText(reports::blockHeaderRow(k), reports::kLabelCol));
        return names;
    }
};

// Each page's text, with the typesetting's ligatures ("ff", "fi") spelled out.
QStringList pageTexts(const QString& pdf)
{
    QStringList pages;
    for (int page = 1, count = test::pdfPageCount(pdf); page <= count; ++page)
        pages << test::pdfPageText(pdf, page).normalized(QString::NormalizationForm_KC);
    return pages;
}

bool holdsNumbers(const QString& line)
{
    static const QRegularExpression number(R"((^|\s)\(?[$]?-?\d[\d,]*(\.\d+)?%?\)?(\s|$))");
    return !line.contains("Report printed") && number.match(line).hasMatch();
}

// The KPI whose block a line heads, by the longest name it starts with; empty for none.
QString kpiOfHeader(const QString& line, const QStringList& names)
{
    QString kpi;
    for (const QString& name : names)
        if (line.startsWith(name + " ") && name.size() > kpi.size())
            kpi = name;
    return kpi;
}

// Each line of numbers on a page has its line's label before it and, above it on the same
// page, the name of its KPI.
void expectNamesBesideNumbers(const QStringList& pages, const QStringList& names)
{
    ASSERT_FALSE(pages.isEmpty());
    int numberLines = 0;
    for (int p = 0; p < pages.size(); ++p) {
        QString kpi;
        for (const QString& line : pages[p].split('\n')) {
            const QString text = line.trimmed();
            if (const QString name = kpiOfHeader(text, names); !name.isEmpty())
                kpi = name;
            if (!holdsNumbers(text))
                continue;
            ++numberLines;
            EXPECT_FALSE(kpi.isEmpty()) << "page " << p + 1 << " shows numbers without their KPI: " << text.toStdString();
            EXPECT_TRUE(text.startsWith("Actual") || text.startsWith("Budget") || text.startsWith("Variance"))
                << "page " << p + 1 << ": " << text.toStdString();
        }
    }
    EXPECT_GE(numberLines, 3 * names.size()) << "every KPI's lines are printed";
}

// The pictures drawn on each page. A chart cut by a page break is drawn on both pages.
std::map<int, int> picturesByPage(const QString& pdf)
{
    std::map<int, int> pages;
    const QStringList lines = test::runTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    for (int i = 2; i < lines.size(); ++i)
        ++pages[lines[i].simplified().section(' ', 0, 0).toInt()];
    return pages;
}

bool landscape(const QString& pdf)
{
    const auto size = QRegularExpression(R"(([\d.]+) x ([\d.]+))").match(test::pdfInfo(pdf, "Page size"));
    return size.captured(1).toDouble() > size.captured(2).toDouble();
}

void expectEveryChartWholeOnOnePage(const QString& pdf, int charts)
{
    int drawn = 0;
    for (auto [page, count] : picturesByPage(pdf))
        drawn += count;
    EXPECT_EQ(drawn, charts) << "each chart is drawn once, on one page";
}

}

TEST_F(PrintoutTest, TheReportPrintsKpiNamesBesideEveryNumberAndEveryChartWhole)
{
    if (!test::havePdfTools() || QStandardPaths::findExecutable("pdfimages").isEmpty())
        GTEST_SKIP() << "no poppler tools to read the printout";
    for (const bool largest : {false, true}) {
        SCOPED_TRACE(largest ? "20 KPIs" : "the sample's 12 KPIs");
        if (largest)
            test::growToLargestScorecard(book->book());
        const QString pdf = printedReport(largest ? "largest.pdf" : "sample.pdf");
        ASSERT_EQ(screen->ReportChartCount, largest ? 20 : kKpis);
        EXPECT_TRUE(landscape(pdf)) << "the months run across a landscape page";
        expectNamesBesideNumbers(pageTexts(pdf), kpiNames());
        expectEveryChartWholeOnOnePage(pdf, screen->ReportChartCount);
    }
}

TEST_F(PrintoutTest, TheSpreadsheetExportCarriesThePageSetUpThatLibreOfficePrintsAsWeDo)
{
    const QString pdf = printedReport("ours.pdf");
    ui.answerSave(out("report.xlsx"));
    screen->cmdExport_Click();
    ASSERT_TRUE(QFile::exists(out("report.xlsx")));

    // The page set-up in the file: fitted across, as many pages down as needed (so that
    // the row breaks count), landscape, the KPI names and the head as print titles.
    const QString sheet = test::runTool("unzip", {"-p", out("report.xlsx"), "xl/worksheets/sheet1.xml"});
    const QString book = test::runTool("unzip", {"-p", out("report.xlsx"), "xl/workbook.xml"});
    if (sheet.isEmpty())
        GTEST_SKIP() << "no unzip to read the file";
    EXPECT_TRUE(sheet.contains(R"(fitToWidth="2" fitToHeight="0")"));
    EXPECT_TRUE(sheet.contains(R"(orientation="landscape")"));
    EXPECT_TRUE(book.contains("Report!$A:$B,Report!$1:$3"));
    // Every row break lies between rows of charts, none inside a picture.
    int breakCount = 0;
    for (auto it = QRegularExpression(R"re(<brk id="(\d+)")re").globalMatch(sheet); it.hasNext();) {
        const int firstRowAfter = it.next().captured(1).toInt() + 1;
        ++breakCount;
        for (const workbook::PictureObject* picture : report->book().PictureObjects(1))
            EXPECT_FALSE(picture->anchor.top < firstRowAfter && picture->anchor.bottom > firstRowAfter)
                << "the break before row " << firstRowAfter << " cuts a chart";
    }
    EXPECT_GE(breakCount, 2);

    if (QStandardPaths::findExecutable("soffice").isEmpty() || !test::havePdfTools())
        GTEST_SKIP() << "no LibreOffice to print the file";
    QDir().mkpath(out("lo"));
    // A profile of its own, as the other office tests have: the user's profile is locked by
    // any other running office, and its first start on a fresh machine takes more than 20 s.
    test::runTool("soffice",
                  {"-env:UserInstallation=file://" + out("lo/office-profile"), "--headless", "--convert-to", "pdf",
                   "--outdir", out("lo"), out("report.xlsx")},
                  180000);
    const QString theirs = out("lo/report.pdf");
    ASSERT_TRUE(QFile::exists(theirs));
    const QStringList ourPages = pageTexts(pdf), theirPages = pageTexts(theirs);
    expectNamesBesideNumbers(theirPages, kpiNames());
    ASSERT_EQ(theirPages.size(), ourPages.size()) << "LibreOffice breaks the pages where we do";
    // The same rows on each page: the first KPI named on it.
    auto firstKpi = [&](const QString& page) {
        for (const QString& line : page.split('\n'))
            if (const QString name = kpiOfHeader(line.trimmed(), kpiNames()); !name.isEmpty())
                return name;
        return QString();
    };
    for (int p = 0; p < ourPages.size(); ++p)
        EXPECT_EQ(firstKpi(theirPages[p]), firstKpi(ourPages[p])) << "page " << p + 1;
}
