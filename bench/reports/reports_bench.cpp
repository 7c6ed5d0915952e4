// Prints the time of a report with graphs for every KPI over 24 months (report, charts
// written and placed) and of its presentation, on the largest scorecard the layout
// holds (20 KPIs) and on the sample (12), against the goal of a second; and the time our
// chart control takes to draw and write the sample's chart pictures beside the same
// charts drawn with plain QPainter calls and saved as JPEG. Usage: reports_bench
// [OUT_DIR]; OUT_DIR keeps the sample's chart pictures and presentation.
#include "platform/chart/chart_control.h"
#include "platform/runtime/app.h"
#include "platform/shell/scripted_shell.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "tests/support/largest_scorecard.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
using namespace ks;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

void row(const char* what, double ours, const char* peerName, double peer, const char* goal)
{
    std::printf("%-40s ours %8.1f ms   %-24s %8.1f ms   ratio %5.2f   %s\n", what, ours, peerName, peer, ours / peer, goal);
}

// The peer: the chart's series as bars, with axes, month labels, a title and a legend,
// drawn on a QImage with QPainter.
QImage plainChart(const chart::ChartControl& chart)
{
    QImage image(chart.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(70, 40, image.width() - 90, image.height() - 100);
    double top = 1;
    for (int s = 1; s <= chart.RowCount(); ++s)
        for (int c = 1; c <= chart.ColumnCount(); ++c)
            top = std::max(top, chart.Value(s, c).value_or(0));
    const double slot = plot.width() / chart.ColumnCount(), bar = slot * 0.8 / chart.RowCount();
    const QColor colours[] = {{31, 84, 160}, {214, 96, 38}};
    for (int s = 1; s <= chart.RowCount(); ++s)
        for (int c = 1; c <= chart.ColumnCount(); ++c) {
            const double h = plot.height() * chart.Value(s, c).value_or(0) / top;
            p.fillRect(QRectF(plot.left() + (c - 1) * slot + slot * 0.1 + (s - 1) * bar, plot.bottom() - h, bar, h),
                       colours[(s - 1) % 2]);
        }
    p.setPen(Qt::black);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    for (int i = 0; i <= 5; ++i)
        p.drawText(QRectF(0, plot.bottom() - plot.height() * i / 5 - 8, 65, 16), Qt::AlignRight,
                   QString::number(top * i / 5, 'f', 0));
    for (int c = 1; c <= chart.ColumnCount(); c += 4)
        p.drawText(QRectF(plot.left() + (c - 1) * slot, plot.bottom() + 4, 4 * slot, 16), Qt::AlignLeft, "Jan-26");
    p.drawText(QRectF(0, 5, image.width(), 30), Qt::AlignCenter, chart.TitleText());
    p.drawText(QRectF(0, image.height() - 40, image.width(), 20), Qt::AlignCenter, "Actual   Budget");
    return image;
}

QByteArray jpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", reports::kChartJpegQuality);
    return bytes;
}

// Chart drawing: each KPI's chart again, drawn and encoded by our control and plainly,
// then written as a file: ours through the durable atomic save, the peer by QImage::save.
void timeCharts(reports::ReportScreen& screen, const QString& program, double& oursDraw, double& plainDraw,
                double& oursFile, double& plainFile)
{
    const QString pictures = program + "/bench";
    QDir().mkpath(pictures);
    workbook::view::WorkbookControl& report = *screen.reportspread;
    for (int k = 1; k <= screen.ReportChartCount; ++k) {
        chart::ChartControl& chart = *screen.VtChart1;
        const int first = 5 * k;
        for (int s = 1; s <= 2; ++s)
            for (int c = 1; c <= chart.ColumnCount(); ++c) {
                chart.setRow(s);
                chart.setColumn(c);
                chart.setData(QString::fromStdString(report.SheetText(first + s - 1, c + 2)));
            }
        chart.setTitleText(QString::fromStdString(report.SheetText(first - 1, 1)));
        Clock::time_point start = Clock::now();
        const QByteArray ours = jpeg(chart.RenderImage());
        oursDraw += msSince(start);
        start = Clock::now();
        const QByteArray plain = jpeg(plainChart(chart));
        plainDraw += msSince(start);
        start = Clock::now();
        chart.WritePictureFile(pictures + QString("/ours_%1.jpg").arg(k), chart::kPictureJpeg, reports::kChartJpegQuality);
        oursFile += msSince(start);
        start = Clock::now();
        plainChart(chart).save(pictures + QString("/plain_%1.jpg").arg(k), "JPEG", reports::kChartJpegQuality);
        plainFile += msSince(start);
    }
}

struct ReportTimes {
    int kpis = 0, pictures = 0;
    double sheetMs = 0, reportMs = 0, slidesMs = 0;
};

// One report with graphs over 24 months for every KPI, then its presentation, on the
// scorecard as loaded or grown to 20 KPIs.
ReportTimes timeReport(bool largest, const std::function<void(reports::ReportScreen&)>& after)
{
    // A program folder of its own, so that no picture file of an earlier run is there.
    QTemporaryDir folder;
    for (const char* name : {"actbud.rt", "Summary of Results.pot"})
        QFile::copy(QString(KS_PROGRAM_DIR "/") + name, folder.path() + "/" + name);
    App::setPath(folder.path());
    QWidget window;
    workbook::view::WorkbookControl book(&window), report(&window);
    QWidget toolbar(&window);
    int type = 0;
    book.ReadBookFile(KS_PROGRAM_DIR "/spreadsheets/Sample.vqa", type);
    if (largest)
        test::growToLargestScorecard(book.book());
    reports::ReportScreen screen({&window, &book, &report, &toolbar, [] { return QString(); }, {}, {}});
    screen.ChartProgressMs = 0;   // the progress text's one-second wait per chart is not work
    window.resize(1000, 700);
    screen.place(0, 0, 1000, 700);
    screen.enter();
    screen.Combo1[1]->setCurrentIndex(23);
    screen.Combo1[0]->setCurrentIndex(0);

    // The report alone first, then with its charts.
    ReportTimes times;
    screen.ComboGraph->setCurrentIndex(1);
    Clock::time_point start = Clock::now();
    screen.Command1_Click();
    times.sheetMs = msSince(start);
    screen.ComboGraph->setCurrentIndex(0);
    start = Clock::now();
    screen.Command1_Click();
    times.reportMs = msSince(start);
    start = Clock::now();
    screen.OptionExport[0]->setChecked(true);
    screen.cmdExport_Click();
    times.slidesMs = msSince(start);
    times.kpis = screen.ReportChartCount;
    times.pictures = int(report.book().PictureObjects(1).size());
    after(screen);
    return times;
}

void printReport(const char* what, const ReportTimes& t)
{
    std::printf("%s: report with graphs for %d KPIs over 24 months, %d pictures placed\n", what, t.kpis, t.pictures);
    row("  report + charts + presentation", t.reportMs + t.slidesMs, "goal", 1000, "goal: under 1 s");
    std::printf("    of which the report sheet %.1f ms, its charts %.1f ms, the presentation %.1f ms\n", t.sheetMs,
                t.reportMs - t.sheetMs, t.slidesMs);
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString program = scratch.path();
    shell::ScriptedShell desktop;
    shell::setShell(&desktop);

    const ReportTimes largest = timeReport(true, [](reports::ReportScreen&) {});
    printReport("largest scorecard", largest);
    double oursDraw = 0, plainDraw = 0, oursFile = 0, plainFile = 0;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const ReportTimes sample = timeReport(false, [&](reports::ReportScreen& screen) {
        timeCharts(screen, program, oursDraw, plainDraw, oursFile, plainFile);
        if (out.isEmpty())
            return;
        QDir().mkpath(out);
        const QString graphs = screen.GraphFolderInUse;
        for (const QString& name : QDir(graphs).entryList({"KPI_*.jpg"}))
            QFile::copy(graphs + name, out + "/" + name);
        if (!desktop.opened().isEmpty())
            QFile::copy(desktop.opened().back(), out + "/Summary of Results.pptx");
        std::printf("chart pictures and the presentation of the sample are in %s\n", qPrintable(out));
    });
    printReport("sample scorecard", sample);
    row("12 charts drawn and encoded as JPEG", oursDraw, "plain QPainter + QImage", plainDraw, "goal: ratio <= 1.5");
    row("12 chart picture files written", oursFile, "QImage::save", plainFile, "ours: fsynced atomic save");
    for (const QString& opened : desktop.opened())
        QDir(QFileInfo(opened).absolutePath()).removeRecursively();
    return 0;
}
