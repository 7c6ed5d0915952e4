// The charts of a report with graphs: one picture file per KPI in the graph folder,
// each placed below the report, and a print area that holds them.
#include "common/settings.h"
#include "platform/chart/chart_control.h"
#include "platform/chart/chart_type.h"
#include "platform/chart/chart_type_dialog.h"
#include "platform/workbook/engine/book.h"
#include "platform/workbook/view/grid_view.h"
#include "platform/workbook/view/print_job.h"
#include "reports/report_sheet.h"
#include "tests/reports/report_fixture.h"
#include "scorecard/window/progress_window.h"
#include "tests/support/file_faults.h"
#include "tests/support/chart_preview.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace ks;
using namespace ks::scorecard::layout;
using test::ReportTest;

namespace {

struct ChartsTest : ReportTest {
    std::filesystem::path graphs() const { return dir.path() / "graphs"; }
    QImage picture(int kpi) const
    {
        return QImage(QString::fromStdString((graphs() / ("KPI_" + std::to_string(kpi) + ".jpg")).string()));
    }
};

// What a chart picture shows in its plot, told apart by the coloured (series) pixels:
// a line (with its markers) is nowhere tall; bars are tall with gaps between them
// along a row; an area is coloured across most of a row.
enum class Shape { Line, Bars, Area, Nothing };

bool coloured(QRgb p)
{
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)}), lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    return hi - lo > 60;
}

Shape shapeOf(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    // Above the legend, which lies below the plot.
    const int w = img.width(), top = img.height() / 8, bottom = img.height() * 3 / 4;
    constexpr int kTall = 20;
    int tallColumns = 0, widestRun = 0;
    long colouredCount = 0;
    for (int x = 0; x < w; ++x) {
        int run = 0, longest = 0;
        for (int y = top; y < bottom; ++y) {
            run = coloured(img.pixel(x, y)) ? run + 1 : 0;
            longest = std::max(longest, run);
            colouredCount += run > 0 ? 1 : 0;
        }
        tallColumns += longest >= kTall ? 1 : 0;
    }
    for (int y = top; y < bottom; ++y)
        for (int x = 0, run = 0; x < w; ++x) {
            run = coloured(img.pixel(x, y)) ? run + 1 : 0;
            widestRun = std::max(widestRun, run);
        }
    if (colouredCount == 0)
        return Shape::Nothing;
    if (tallColumns == 0)
        return Shape::Line;
    return widestRun > w / 3 ? Shape::Area : Shape::Bars;
}

// The user's pick in the chart's own type dialog once it is open.
void answerTypeDialog(int type, bool accept)
{
    QTimer::singleShot(0, [type, accept] {
        auto* dialog = dynamic_cast<chart::ChartTypeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectType(type);
        accept ? dialog->accept() : dialog->reject();
    });
}

void writeText(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }
std::string readText(const std::filesystem::path& path)
{
    std::ostringstream all;
    all << std::ifstream(path).rdbuf();
    return all.str();
}

}

TEST_F(ChartsTest, EveryKpiOfTwoYearsGetsItsPicturePlacedBelowTheReport)
{
    ASSERT_FALSE(std::filesystem::exists(graphs())) << "the folder is made when missing";
    generate(kLast - 23, kLast, reports::kActualAndBudget, true);

    EXPECT_EQ(screen->ReportChartCount, kKpis);
    EXPECT_EQ(screen->GraphFolderInUse, QString::fromStdString((graphs() / "").string()));
    std::vector<QImage> pictures;
    for (int k = 1; k <= kKpis; ++k) {
        SCOPED_TRACE("KPI " + std::to_string(k));
        const QImage image = picture(k);
        ASSERT_FALSE(image.isNull()) << "the picture decodes";
        EXPECT_GE(image.width(), 480);
        EXPECT_GE(image.height(), 320);
        EXPECT_EQ(shapeOf(image), Shape::Bars) << "the sample's stored type is a bar chart";
        pictures.push_back(image);
        ks::test::keepPreview(QString("report_kpi_%1.png").arg(k), [&](const QString& path) { return image.save(path); });
    }
    EXPECT_NE(pictures[0], pictures[1]) << "each KPI draws its own data";

    // One picture per KPI, two side by side below the report, 17 rows apart.
    const auto objects = report->book().PictureObjects(1);
    ASSERT_EQ(objects.size(), std::size_t(kKpis));
    const double end = screen->ReportEndRow;
    for (int m = 0; m < kKpis; ++m) {
        SCOPED_TRACE("chart " + std::to_string(m + 1));
        EXPECT_EQ(objects[m]->anchor.left, m % 2 == 0 ? 1.0 : 8.0);
        EXPECT_EQ(objects[m]->anchor.right, m % 2 == 0 ? 7.0 : 14.0);
        EXPECT_EQ(objects[m]->anchor.top, end + 2 + 17 * (m / 2));
        EXPECT_EQ(objects[m]->anchor.bottom, objects[m]->anchor.top + 16);
    }
    EXPECT_FALSE(screen->VtChart1->isVisible());
    EXPECT_EQ(report->GetCursorCell().row, 1);
    if (const char* shot = std::getenv("KS_REPORT_SHOT")) {
        w->resize(1100, 760);
        report->PlaceCursor(static_cast<int>(end) + 30, 1);
        report->ScrollToCursor();
        QCoreApplication::processEvents();
        w->grab().save(QString::fromLocal8Bit(shot));
    }
}

TEST_F(ChartsTest, EachGraphButtonIsStoredAndDrawsTheNextReport)
{
    const struct {
        int button, type;
        Shape shape;
    } choices[] = {{3, chart::kLine, Shape::Line}, {5, chart::kArea, Shape::Area}, {4, chart::kBar, Shape::Bars},
                   {3, chart::kLine, Shape::Line}, {6, chart::kBar, Shape::Bars}};
    for (const auto& choice : choices) {
        SCOPED_TRACE("button " + std::to_string(choice.button));
        w->MnuViewReports_Click();
        screen->OptionGraph[choice.button]->click();
        EXPECT_EQ(book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), choice.type);
        generate(kLast - 11, kLast, reports::kActualAndBudget, true, {1});
        EXPECT_EQ(screen->VtChart1->ChartType(), choice.type);
        EXPECT_EQ(shapeOf(picture(1)), choice.shape);
        ks::test::keepPreview(QString("report_type_%1.png").arg(choice.type),
                          [&](const QString& path) { return picture(1).save(path); });
        EXPECT_TRUE(screen->OptionGraph[choice.type == chart::kLine ? 3 : choice.type == chart::kArea ? 5 : 4]->isChecked())
            << "the stored type chooses its button on the next entry";
    }
}

TEST_F(ChartsTest, ACustomTypeIsKeptInTheCellAndUsedByTheCharts)
{
    w->MnuViewReports_Click();
    // The chart's own editing: the user picks an area chart with depth.
    answerTypeDialog(chart::kAreaDepth, true);
    screen->Command2_Click();
    EXPECT_TRUE(screen->OptionGraph[7]->isChecked());
    EXPECT_EQ(book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), chart::kAreaDepth);

    generate(kLast - 5, kLast, reports::kActualsOnly, true, {2});
    EXPECT_TRUE(screen->OptionGraph[7]->isChecked()) << "shown as the custom graph";
    EXPECT_EQ(book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), chart::kAreaDepth)
        << "entering the screen again keeps the custom type";
    EXPECT_EQ(screen->VtChart1->ChartType(), chart::kAreaDepth);
    EXPECT_EQ(screen->VtChart1->RowCount(), 1) << "actuals only: one series";
    EXPECT_EQ(screen->VtChart1->SeriesLegendText(1), "Actual");

    // Cancelling the editing keeps the type; a button afterwards replaces it.
    answerTypeDialog(chart::kLine, false);
    screen->Command2_Click();
    EXPECT_EQ(book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), chart::kAreaDepth);
    screen->OptionGraph[3]->click();
    EXPECT_EQ(book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), chart::kLine);
}

TEST_F(ChartsTest, WhileTheChartsAreDrawnTheyStayOffTheMenusAndTheSheetStaysPut)
{
    w->resize(1100, 760);
    screen->ChartProgressMs = 30;
    int seen = 0, sheetMoved = 0, stale = 0;
    QStringList misplaced;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (report->grid().topRow() != 1 || report->grid().leftColumn() != 1)
            ++sheetMoved;
        if (!screen->VtChart1->isVisible())
            return;
        ++seen;
        // A chart on show holds the numbers of the KPI its title names.
        for (int k = 1; k <= 6; ++k)
            if (QString::fromStdString(report->SheetText(5 * k - 1, 1)) == screen->VtChart1->TitleText() &&
                screen->VtChart1->Value(1, 1) != report->SheetNumber(5 * k, 3))
                ++stale;
        const QRect chart = screen->VtChart1->geometry();
        const QString where = QStringLiteral("%1,%2 %3x%4").arg(chart.x()).arg(chart.y()).arg(chart.width()).arg(chart.height());
        if (!report->geometry().contains(chart) && !misplaced.contains(where))
            misplaced << where;
    });
    watch.start(0);
    generate(kLast - 23, kLast, reports::kActualAndBudget, true, {1, 2, 3, 4, 5, 6});
    watch.stop();
    EXPECT_GT(seen, 0) << "the watch saw the charts being drawn";
    EXPECT_TRUE(misplaced.isEmpty()) << "drawn outside the report sheet, over the menus or the panel: "
                                     << misplaced.join("; ").toStdString();
    EXPECT_EQ(sheetMoved, 0) << "the report sheet scrolled while the charts were placed";
    EXPECT_EQ(stale, 0) << "a chart showed another KPI's numbers under its title";
    EXPECT_EQ(screen->ReportChartCount, 6);
}

TEST_F(ChartsTest, ANewGraphTypeIsAChangeThatExitOffersToSave)
{
    w->MnuViewReports_Click();
    EXPECT_EQ(book->HostTag(), "") << "entering the screen changes nothing";
    answerTypeDialog(chart::kLine, false);
    screen->Command2_Click();
    EXPECT_EQ(book->HostTag(), "") << "a cancelled choice changes nothing";
    screen->OptionGraph[4]->click();
    EXPECT_EQ(book->HostTag(), "") << "the sample's stored type is the bar chart already";

    answerTypeDialog(chart::kAreaDepth, true);
    screen->Command2_Click();
    EXPECT_EQ(book->HostTag(), "dirty");

    // File > Exit asks, and Yes saves the type with the scorecard (the sample under a new name).
    ui.answerMessage(ui::Yes);
    ui.answerMessage(ui::OK);
    ui.answerSave(QString::fromStdString(dir.str() + "/mine.vqa"));
    w->MnuExit_Click();
    ASSERT_FALSE(ui.messageBoxes().empty());
    EXPECT_EQ(ui.messageBoxes().front().text, "Save Changes?");
    workbook::Book saved;
    saved.ReadBookFile(dir.str() + "/mine.vqa");
    EXPECT_EQ(saved.BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol), chart::kAreaDepth);
}

TEST_F(ChartsTest, EachChartIsDressedFromItsReportBlock)
{
    screen->ChartProgressMs = 20;
    generate(kLast, kLast, reports::kBudgetOnly, true, {7});
    const chart::ChartControl& chart = *screen->VtChart1;
    EXPECT_EQ(chart.TitleText(), screen->KPIList->item(7)->text());
    EXPECT_TRUE(chart.TitleVisible());
    EXPECT_EQ(chart.RowCount(), 1);
    EXPECT_EQ(chart.ColumnCount(), 1) << "one month, one column";
    EXPECT_EQ(chart.SeriesLegendText(1), "Budget");
    EXPECT_EQ(*chart.Value(1, 1), target(7, kLast));
    EXPECT_TRUE(chart.LegendVisible());
    EXPECT_EQ(chart.AxisLabelLevel(1).numberFormat, screen->KPIFormat.toStdString());
    EXPECT_TRUE(std::filesystem::exists(graphs() / "KPI_7.jpg")) << "named by the KPI, not by the chart's number";
    EXPECT_FALSE(std::filesystem::exists(graphs() / "KPI_1.jpg"));
    EXPECT_EQ(form<FormcreatingGraphs>().Label1->text(), "generating the " + chart.TitleText() + " Graph");
    EXPECT_FALSE(form<FormcreatingGraphs>().isVisible());
}

TEST_F(ChartsTest, TheGraphFolderSettingChoosesWhereThePicturesGo)
{
    const std::filesystem::path own = dir.path() / "my charts";
    std::filesystem::create_directory(own);
    GraphFolder = QString::fromStdString(own.string());   // written without a separator at its end
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});
    EXPECT_TRUE(std::filesystem::exists(own / "KPI_1.jpg"));
    EXPECT_EQ(screen->GraphFolderInUse, QString::fromStdString((own / "").string()));
    EXPECT_FALSE(std::filesystem::exists(graphs()));

    GraphFolder = QString::fromStdString((dir.path() / "gone").string());
    generate(kLast, kLast, reports::kActualAndBudget, true, {2});
    EXPECT_TRUE(std::filesystem::exists(graphs() / "KPI_2.jpg")) << "a missing folder falls back to graphs";
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone"));
    GraphFolder.clear();
}

TEST_F(ChartsTest, PicturesThatCannotBeWrittenAreToldAndTheReportIsStillFinished)
{
    // A file where the graphs folder should be: no folder can be made there.
    writeText(graphs(), "not a folder");
    ui.answerMessage(ui::OK);
    ui.answerMessage(ui::OK);
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});

    const auto& boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Error in dochart2");
    EXPECT_EQ(boxes[1].caption, "Error : MoveChartPictureToSheet");
    for (const auto& box : boxes)
        EXPECT_TRUE(box.text.endsWith("\r\r(Error #75)")) << box.text.toStdString();
    EXPECT_EQ(readText(graphs()), "not a folder");
    EXPECT_TRUE(screen->cmdExport->isVisible()) << "the report itself is finished";
    EXPECT_TRUE(screen->Command1->isEnabled());
}

TEST_F(ChartsTest, TheReportWithItsChartsPrintsNoEmptyPage)
{
    generate(kLast - 23, kLast, reports::kActualAndBudget, true);
    const QString pdf = QString::fromStdString((dir.path() / "report.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const int pages = workbook::view::printSheet(report->book(), printer);
    EXPECT_GE(pages, 2) << "the report and its charts";
    ks::test::keepPreview("report.pdf", [&](const QString& path) { return QFile::copy(pdf, path); });

    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "no pdftoppm to look at the pages";
    const QString prefix = QString::fromStdString((dir.path() / "page").string());
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "24", "-png", pdf, prefix}), 0);
    int looked = 0, withCharts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("page", 0) != 0)
            continue;
        ++looked;
        const QImage page(QString::fromStdString(entry.path().string()));
        // Between the header and the footer something is drawn: cells' text or a chart.
        int ink = 0, colour = 0;
        for (int y = page.height() / 10; y < page.height() * 9 / 10; ++y)
            for (int x = 0; x < page.width(); ++x) {
                ink += qGray(page.pixel(x, y)) < 160 ? 1 : 0;
                colour += coloured(page.pixel(x, y)) ? 1 : 0;
            }
        EXPECT_GT(ink, 20) << name << " is empty";
        withCharts += colour > 100 ? 1 : 0;
    }
    EXPECT_EQ(looked, pages);
    EXPECT_GE(withCharts, 1) << "the charts are printed";
}

TEST_F(ChartsTest, OnAFullDiskThePicturesAreToldAndTheLastOnesKept)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1});
    const std::string kept = readText(graphs() / "KPI_1.jpg");
    ASSERT_FALSE(kept.empty());
    ui.answerMessage(ui::OK);
    ui.answerMessage(ui::OK);
    {
        test::FullDisk full(0);
        generate(kLast - 1, kLast, reports::kActualAndBudget, true, {1});
    }
    const auto& boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Error in dochart2");
    EXPECT_EQ(boxes[1].caption, "Error : MoveChartPictureToSheet");
    EXPECT_EQ(readText(graphs() / "KPI_1.jpg"), kept) << "the last report's picture is whole";
    EXPECT_EQ(test::folderListing(graphs()), "KPI_1.jpg\n") << "no temporary is left";
}
