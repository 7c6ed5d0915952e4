// The report's spreadsheet export: the file another reader opens, cancelling, and
// failures that keep every file as it was.
#include "platform/shell/scripted_shell.h"
#include "reports/report_sheet.h"
#include "platform/chart/chart_control.h"
#include "tests/reports/report_fixture.h"
#include "tests/support/comma_locale.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace ks;
using test::ReportTest;

namespace {

struct ExportTest : ReportTest {
    shell::ScriptedShell desktop;
    ExportTest() { shell::setShell(&desktop); }
    ~ExportTest() override { shell::setShell(nullptr); }
    QString out(const char* name) const { return QString::fromStdString((dir.path() / name).string()); }
    static QByteArray bytes(const std::filesystem::path& path)
    {
        QFile f(QString::fromStdString(path.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// A Python with openpyxl, the reader the export is checked with; empty when there is none.
QString spreadsheetReader()
{
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        QProcess p;
        p.start(QString::fromLatin1(python), {"-c", "import openpyxl"});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return QString::fromLatin1(python);
    }
    return {};
}

// The cells' values (formulas as their saved results) and number formats as openpyxl reads them.
QStringList readCells(const QString& python, const QString& file, const QStringList& cells)
{
    const QString script = "import sys, openpyxl\n"
                           "ws = openpyxl.load_workbook(sys.argv[1], data_only=True).active\n"
                           "for ref in sys.argv[2:]:\n"
                           "    c = ws[ref]\n"
                           "    print(repr(c.value) + '|' + c.number_format)\n";
    QProcess p;
    p.start(python, QStringList{"-c", script, file} + cells);
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The file as the office suite's spreadsheet reads it: one list of cell values per row, numbers
// as stored rather than as shown; empty when the suite is missing or could not open the file.
std::vector<QStringList> officeRows(const QString& xlsx, const QString& folder)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        return {};
    QProcess p;
    p.start(soffice, {"-env:UserInstallation=file://" + folder + "/office-profile", "--headless", "--convert-to",
                      "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false", "--outdir", folder, xlsx});
    p.waitForFinished(180000);
    QFile csv(folder + "/" + QFileInfo(xlsx).completeBaseName() + ".csv");
    if (!csv.open(QIODevice::ReadOnly))
        return {};
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(csv.readAll()).split('\n'))
        rows.push_back(line.trimmed().split(','));
    return rows;
}

// A number of those rows: stored values are written in full, percentages with their sign.
double officeNumber(QString text)
{
    const bool percent = text.endsWith('%');
    const double n = (percent ? text.chopped(1) : text).toDouble();
    return percent ? n / 100 : n;
}

}

TEST_F(ExportTest, UnderACommaDecimalLocaleTheChartsAndTheSpreadsheetKeepEveryNumber)
{
    // Where no such locale can be made, the office suite's reading is still checked.
    test::CommaDecimalLocale german;
    constexpr int kFirst = kLast - 2, kMonths = 3;
    generate(kFirst, kLast, reports::kActualAndBudget, true, {1, 2});

    // The last chart is the second KPI's ("Gross Margin", a percentage): its points are the scorecard's.
    const chart::ChartControl& chart = *screen->VtChart1;
    ASSERT_EQ(chart.ColumnCount(), kMonths);
    for (int c = 1; c <= kMonths; ++c) {
        SCOPED_TRACE("month " + std::to_string(c));
        EXPECT_EQ(chart.Value(1, c), actual(2, kFirst + c - 1));
        EXPECT_EQ(chart.Value(2, c), target(2, kFirst + c - 1));
    }

    ui.answerSave(out("comma locale.xlsx"));
    screen->cmdExport_Click();
    ASSERT_TRUE(std::filesystem::exists(dir.path() / "comma locale.xlsx"));
    const std::vector<QStringList> rows = officeRows(out("comma locale.xlsx"), QString::fromStdString(dir.str()));
    if (rows.empty())
        GTEST_SKIP() << "no office suite to open the spreadsheet with";
    ASSERT_GT(rows.size(), 11u) << "the report's two blocks";
    EXPECT_EQ(rows[8].value(0), "Gross Margin");
    // Rows 5 and 6, 10 and 11 hold the KPIs' actual and budget lines; the months from column C.
    for (int kpi = 1; kpi <= 2; ++kpi)
        for (int c = 0; c < kMonths; ++c) {
            SCOPED_TRACE("KPI " + std::to_string(kpi) + ", month " + std::to_string(c + 1));
            const int row = 5 * kpi - 1;
            const double a = actual(kpi, kFirst + c), t = target(kpi, kFirst + c);
            EXPECT_NEAR(officeNumber(rows[row].value(2 + c)), a, 1e-12 * std::max(1.0, std::abs(a)))
                << rows[row].join(',').toStdString();
            EXPECT_NEAR(officeNumber(rows[row + 1].value(2 + c)), t, 1e-12 * std::max(1.0, std::abs(t)));
        }
}

TEST_F(ExportTest, TheExportWritesASpreadsheetThatAnotherProgramReadsAndOpensIt)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1, 2});
    ASSERT_TRUE(screen->cmdExport->isVisible());
    EXPECT_TRUE(screen->OptionExport[0]->isEnabled()) << "the presentation is offered too";
    EXPECT_TRUE(screen->OptionExport[1]->isChecked());
    ui.answerSave(out("Q4 report.xlsx"));
    screen->cmdExport_Click();

    ASSERT_EQ(ui.records().size(), 1u);
    const auto& dialog = ui.records()[0].file;
    EXPECT_EQ(dialog.title, "Save report to excel");
    EXPECT_EQ(dialog.fileName, QString::fromStdString((dir.path() / "spreadsheets" / "Report.xlsx").string()));
    EXPECT_EQ(dialog.filterIndex, 2) << "the spreadsheet type is preset";
    ASSERT_TRUE(std::filesystem::exists(dir.path() / "Q4 report.xlsx"));
    EXPECT_EQ(desktop.opened(), QStringList{out("Q4 report.xlsx")});
    EXPECT_EQ(report->BookFileName(), out("Q4 report.xlsx").toStdString());

    const QString python = spreadsheetReader();
    if (python.isEmpty())
        GTEST_SKIP() << "no python3 with openpyxl to read the file back";
    const QStringList cells =
        readCells(python, out("Q4 report.xlsx"), {"A1", "A2", "A4", "C4", "A5", "C5", "C6", "C7", "D4", "D5", "A9", "D9", "C10"});
    ASSERT_EQ(cells.size(), 13);
    auto value = [&](int i) { return cells[i].section('|', 0, 0); };
    auto format = [&](int i) { return cells[i].section('|', 1); };
    EXPECT_EQ(value(0), "'Report'");
    EXPECT_EQ(value(1), "'4'");
    EXPECT_EQ(value(2), "'Sales Revenue'");
    EXPECT_TRUE(value(3).startsWith("datetime.datetime(")) << value(3).toStdString();
    EXPECT_EQ(format(3), "mmm-yy");
    EXPECT_EQ(value(4), "'  Actual'");
    EXPECT_DOUBLE_EQ(value(5).toDouble(), actual(1, kLast));
    EXPECT_EQ(format(5).toStdString(), formatAt(5, 3));
    EXPECT_DOUBLE_EQ(value(6).toDouble(), target(1, kLast));
    EXPECT_NEAR(value(7).toDouble(), actual(1, kLast) / target(1, kLast), 1e-9);
    EXPECT_EQ(value(8), "'Total'");
    EXPECT_DOUBLE_EQ(value(9).toDouble(), actual(1, kLast));
    EXPECT_EQ(value(10), "'Gross Margin'");
    EXPECT_EQ(value(11), "'Average'");
    EXPECT_DOUBLE_EQ(value(12).toDouble(), actual(2, kLast));
}

TEST_F(ExportTest, CancellingWritesNothingOpensNothingAndSaysNothing)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});
    ui.answerSave(QString());
    screen->cmdExport_Click();
    EXPECT_EQ(ui.messageBoxes().size(), 0u);
    EXPECT_TRUE(desktop.opened().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "spreadsheets" / "Report.xlsx"));
}

TEST_F(ExportTest, AFailedWriteIsToldAndKeepsTheFileThatWasThere)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});
    // A folder of that name cannot be replaced by the file.
    std::filesystem::create_directories(dir.path() / "taken.xlsx" / "inside");
    ui.answerSave(out("taken.xlsx"));
    ui.answerMessage(ui::OK);
    screen->cmdExport_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].caption, "Error in saving");
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith(")")) << ui.messageBoxes()[0].text.toStdString();
    EXPECT_TRUE(ui.messageBoxes()[0].text.contains("\r\r(Error #"));
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::NoIcon);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.xlsx" / "inside"));
    EXPECT_TRUE(desktop.opened().isEmpty());

    // A second export to a good name still works.
    ui.clear();
    ui.answerSave(out("good.xlsx"));
    screen->cmdExport_Click();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "good.xlsx"));
}

TEST_F(ExportTest, TheTemplateAndTheScorecardAreNeverReplaced)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});
    const auto templateFile = dir.path() / "actbud.rt";
    const auto scorecard = dir.path() / "spreadsheets" / "Sample.vqa";
    const QByteArray templateBefore = bytes(templateFile), scorecardBefore = bytes(scorecard);
    ASSERT_FALSE(templateBefore.isEmpty());
    for (const auto& kept : {templateFile, scorecard}) {
        ui.clear();
        ui.answerSave(QString::fromStdString(kept.string()));
        ui.answerMessage(ui::Yes);   // the dialog's "already exists" question
        ui.answerMessage(ui::OK);
        screen->cmdExport_Click();
        ASSERT_EQ(ui.messageBoxes().size(), 2u);
        EXPECT_EQ(ui.messageBoxes()[1].caption, "Error in saving");
        EXPECT_TRUE(ui.messageBoxes()[1].text.startsWith("The report can not be saved over "));
    }
    EXPECT_EQ(bytes(templateFile), templateBefore);
    EXPECT_EQ(bytes(scorecard), scorecardBefore);
    EXPECT_TRUE(desktop.opened().isEmpty());
}

TEST_F(ExportTest, AFileWithoutAProgramGoesToTheChooserAndAFailedLaunchIsTold)
{
    generate(kLast, kLast, reports::kActualsOnly, true, {1});
    desktop.answerOpen(shell::OpenResult::NoAssociation);
    ui.answerSave(out("a.xlsx"));
    screen->cmdExport_Click();
    EXPECT_EQ(desktop.openedWith(), QStringList{out("a.xlsx")});

    desktop.answerOpen(shell::OpenResult::Failed);
    ui.answerSave(out("b.xlsx"));
    ui.answerMessage(ui::OK);
    screen->cmdExport_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("Cannot Launch Program! "));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "b.xlsx")) << "the written file stays";
}
