#include "chart_fixture.h"
#include "platform/chart/chart_errors.h"
#include "platform/chart/paint_parts.h"
#include "tests/support/file_faults.h"
#include "tests/support/chart_preview.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QImageReader>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace ks::chart;
using namespace ks::chart::test;

namespace {

constexpr int kWidth = 480, kHeight = 320;

void makeSalesChart(ChartControl& chart)
{
    chart.resize(kWidth, kHeight);
    fillReportChart(chart,
                    {{"1200", "1350", "900", "1500", "1700", "1650", "1400", "1800", "1750", "1900", "2100", "2300"},
                     {"1000", "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000", "2100"}},
                    {"Actual", "Budget"}, "Sales");
}

bool isDark(QRgb c) { return qGray(c) < 110; }

bool near(QRgb c, const QColor& want)
{
    return std::abs(qRed(c) - want.red()) < 40 && std::abs(qGreen(c) - want.green()) < 40 &&
           std::abs(qBlue(c) - want.blue()) < 40;
}

// Pixels in the rows [top, bottom) that pass the test.
int countPixels(const QImage& image, int top, int bottom, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y));
    return n;
}

// The distinct stretches of columns holding dark pixels in the rows [top, bottom): one per label.
int darkStretches(const QImage& image, int top, int bottom)
{
    int stretches = 0;
    bool inside = false;
    int gap = 0;
    for (int x = 0; x < image.width(); ++x) {
        bool dark = false;
        for (int y = top; y < bottom && !dark; ++y)
            dark = isDark(image.pixel(x, y));
        if (dark && !inside)
            ++stretches;
        gap = dark ? 0 : gap + 1;
        inside = dark || (inside && gap < 6);
    }
    return stretches;
}

QByteArray readFile(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}

TEST(ChartPicture, TheJpegIsARealPictureWithTitleAboveMonthsBelowAndTheLegendUnder)
{
    ks::test::TempDir dir;
    ChartControl chart;
    makeSalesChart(chart);
    const std::string path = dir.str() + "/KPI_1.jpg";
    chart.WritePictureFile(QString::fromStdString(path), kPictureJpeg, 99);

    const QByteArray bytes = readFile(path);
    ASSERT_GT(bytes.size(), 1000);
    EXPECT_EQ(bytes.left(3), QByteArray("\xFF\xD8\xFF", 3));
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_GT(countPixels(image, 0, kHeight, [](QRgb c) { return qGray(c) < 240; }), kWidth * kHeight / 20)
        << "the picture is not blank";

    // Title in the top band, the series colours in the legend at the bottom.
    EXPECT_GT(countPixels(image, 0, 26, isDark), 30);
    EXPECT_GT(countPixels(image, kHeight - 24, kHeight, [](QRgb c) { return near(c, seriesColor(1)); }), 30);
    EXPECT_GT(countPixels(image, kHeight - 24, kHeight, [](QRgb c) { return near(c, seriesColor(2)); }), 30);

    // Without title and legend, the top band is empty and the month labels fill the bottom band.
    chart.setTitleVisible(false);
    chart.setLegendVisible(false);
    const QImage bare = chart.RenderImage();
    EXPECT_EQ(countPixels(bare, 0, 5, isDark), 0);
    EXPECT_GE(darkStretches(bare, kHeight - 24, kHeight - 6), 6) << "month labels spread along the axis";
}

TEST(ChartPicture, AFailedWriteRaisesAndLeavesTheOldFile)
{
    ks::test::TempDir dir;
    ChartControl chart;
    makeSalesChart(chart);

    const std::string missing = dir.str() + "/no/such/folder/KPI_1.jpg";
    try {
        chart.WritePictureFile(QString::fromStdString(missing), kPictureJpeg, 99);
        FAIL() << "writing into a missing folder succeeded";
    } catch (const ks::RuntimeError& e) {
        EXPECT_EQ(e.number(), kErrFileWrite);
        EXPECT_NE(e.description().find(missing), std::string::npos) << e.description();
    }
    EXPECT_FALSE(std::filesystem::exists(missing));

    std::filesystem::create_directory(dir.path() / "KPI_2.jpg");
    EXPECT_EQ(errorNumberOf([&] { chart.WritePictureFile(QString::fromStdString(dir.str() + "/KPI_2.jpg"), 6, 99); }),
              kErrFileWrite);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "KPI_2.jpg"));

    const std::string old = dir.write("KPI_3.jpg", "old picture").string();
    EXPECT_EQ(errorNumberOf([&] { chart.WritePictureFile(QString::fromStdString(old), 6, 101); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { chart.WritePictureFile(QString::fromStdString(old), 3, 99); }), kErrBadArgument);
    EXPECT_EQ(readFile(old), "old picture");
    {
        ks::test::FullDisk full(4);
        EXPECT_EQ(errorNumberOf([&] { chart.WritePictureFile(QString::fromStdString(old), kPictureJpeg, 99); }),
                  kErrFileWrite);
    }
    EXPECT_EQ(readFile(old), "old picture");

    // A folder nobody may write into (immutable even for root), with an old picture in it.
    const std::string locked = dir.str() + "/locked";
    const std::string lockedFile = dir.write("locked/KPI_4.jpg", "old picture").string();
    if (std::system(("chattr +i '" + locked + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "this file system cannot lock a folder";
    const int number = errorNumberOf([&] { chart.WritePictureFile(QString::fromStdString(lockedFile), 6, 99); });
    std::system(("chattr -i '" + locked + "'").c_str());
    EXPECT_EQ(number, kErrFileWrite);
    EXPECT_EQ(readFile(lockedFile), "old picture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1) << "no temporary file left";
}

TEST(ChartPicture, AWriteReplacesTheOldFileWhole)
{
    ks::test::TempDir dir;
    ChartControl chart;
    makeSalesChart(chart);
    const std::string path = dir.write("KPI_5.jpg", std::string(200000, 'x')).string();
    chart.WritePictureFile(QString::fromStdString(path), kPictureJpeg, 99);
    QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ChartPicture, AWriteOfTheSameChartAgainLeavesTheFileAndAnyOtherFileIsReplaced)
{
    ks::test::TempDir dir;
    ChartControl chart;
    makeSalesChart(chart);
    const QString path = QString::fromStdString((dir.path() / "KPI_5.jpg").string());
    chart.WritePictureFile(path, kPictureJpeg, 99);
    const std::string first = dir.read("KPI_5.jpg");
    chart.WritePictureFile(path, kPictureJpeg, 99);
    EXPECT_EQ(dir.read("KPI_5.jpg"), first);

    // Bytes of the same length that differ are no copy of the picture: they are replaced.
    std::string damaged = first;
    damaged[damaged.size() / 2] ^= 0x55;
    dir.write("KPI_5.jpg", damaged);
    chart.WritePictureFile(path, kPictureJpeg, 99);
    EXPECT_EQ(dir.read("KPI_5.jpg"), first);
}

TEST(ChartPicture, TheMetafileHasTheChartsSizeAndDecodesToTheChart)
{
    ChartControl chart;
    makeSalesChart(chart);
    const ChartMetafile meta = chart.RenderMetafile(1);
    EXPECT_EQ(meta.width, kWidth);
    EXPECT_EQ(meta.height, kHeight);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(meta.bytes.data()), int(meta.bytes.size())));
    EXPECT_EQ(decoded.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), chart.RenderImage()) << "the picture is the chart";

    // A hidden chart that was never laid out still renders at a usable size.
    ChartControl unplaced;
    unplaced.resize(0, 0);
    EXPECT_GT(unplaced.RenderMetafile().width, 100);
}

static std::vector<QString> twoYears(int offset)
{
    std::vector<QString> row;
    for (int m = 0; m < 24; ++m)
        row.push_back(QString::number(1000 + offset + 40 * m + (m % 3) * 120));
    return row;
}

// Every type draws the report's kinds of charts; KS_CHART_PREVIEW=<folder> keeps them to look at.
TEST(ChartPicture, TheReportsKindsOfChartsDrawInEveryType)
{
    struct Sample {
        const char* name;
        int type;
        std::vector<std::vector<QString>> rows;
        QStringList series;
        QString format;
    };
    const std::vector<Sample> samples = {
        {"bar", kBar, {{"1200", "1350", "900", "1500", "1700", "1650"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"line", kLine, {{"1200", "1350", "900", "", "1700", "1650"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"area", kArea, {{"1200", "1350", "900", "1500", "1700", "1650"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"one_month", kBar, {{"850"}, {"900"}}, {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"negative", kBar, {{"-250", "120", "-80", "300", "40", "-10"}}, {"Actual"}, "#,##0;(#,##0)"},
        {"percent", kLine, {{"0.12", "0.154", "0.09", "0.2", "0.17", "0.11"}, {"0.15", "0.15", "0.15", "0.15", "0.15", "0.15"}},
         {"Actual", "Budget"}, "0.0%;(0%)"},
        {"currency", kCombination, {{"1200.5", "1350", "900", "1500", "1700", "1650.25"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "$#,##0.00;($#,##0.00)"},
        {"step_depth", kStepDepth, {{"1200", "1350", "900", "1500", "1700", "1650"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"bar_depth", kBarDepth, {{"1200", "1350", "900", "1500", "1700", "1650"}, {"1000", "1100", "1200", "1300", "1400", "1500"}},
         {"Actual", "Budget"}, "#,##0;(#,##0)"},
        {"area_depth_one_month", kAreaDepth, {{"850"}}, {"Budget"}, "#,##0;(#,##0)"},
        {"two_years", kLine, {twoYears(0), twoYears(50)}, {"Actual", "Budget"}, "$#,##0;($#,##0)"},
    };
    for (const Sample& s : samples) {
        ChartControl chart;
        chart.resize(kWidth, kHeight);
        fillReportChart(chart, s.rows, s.series, QStringLiteral("Sales: %1").arg(s.name));
        chart.setAxisLabelFormat(kValueAxis, s.format);
        for (const ChartTypeInfo& type : chartTypes()) {
            chart.setChartType(type.code);
            const QImage image = chart.RenderImage();
            EXPECT_GT(countPixels(image, 30, kHeight - 40, [](QRgb c) { return near(c, seriesColor(1)); }), 10)
                << s.name << " drawn as " << type.name << " shows its first series";
        }
        chart.setChartType(s.type);
        ks::test::keepPreview(QString("%1.jpg").arg(s.name), [&](const QString& path) {
            chart.WritePictureFile(path, kPictureJpeg, 99);
            return true;
        });
    }
}

// A preview asked for lands in its folder, made when new; one that cannot be written fails.
TEST(ChartPicture, PreviewsAreWrittenOrTheTestFails)
{
    ks::test::TempDir dir;
    const std::string before = std::getenv("KS_CHART_PREVIEW") ? std::getenv("KS_CHART_PREVIEW") : "";
    ChartControl chart;
    makeSalesChart(chart);
    const QImage image = chart.RenderImage();
    const auto save = [&](const QString& path) { return image.save(path); };

    ::setenv("KS_CHART_PREVIEW", (dir.str() + "/new/folder").c_str(), 1);
    ks::test::keepPreview("sales.png", save);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / "new/folder/sales.png"));
    ks::test::keepPreview("sales.png", save);   // again, over the first

    dir.write("taken", "a file where the folder should be");
    ::setenv("KS_CHART_PREVIEW", (dir.str() + "/taken").c_str(), 1);
    EXPECT_NONFATAL_FAILURE(ks::test::keepPreview("sales.png", save), "cannot write the preview");

    if (before.empty())
        ::unsetenv("KS_CHART_PREVIEW");
    else
        ::setenv("KS_CHART_PREVIEW", before.c_str(), 1);
}

TEST(ChartPicture, TheTitleSitsWhereItsPositionAndLayoutPutIt)
{
    ChartControl chart;
    makeSalesChart(chart);
    chart.setLegendVisible(false);
    auto darkIn = [](const QImage& image, QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += isDark(image.pixel(x, y));
        return n;
    };
    const QRect topLeft(0, 0, kWidth / 3, 24), topRight(2 * kWidth / 3, 0, kWidth / 3, 24);
    const QRect leftStrip(0, 40, 22, kHeight - 80);

    chart.setTitleTextLayout(0, 0, kAlignLeft);
    QImage image = chart.RenderImage();
    EXPECT_GT(darkIn(image, topLeft), 30);
    EXPECT_EQ(darkIn(image, topRight), 0);

    chart.setTitlePosition(kTopRight);
    image = chart.RenderImage();
    EXPECT_EQ(darkIn(image, topLeft), 0) << "a corner position wins over the layout's alignment";
    EXPECT_GT(darkIn(image, topRight), 30);

    chart.setTitlePosition(kBottom);
    image = chart.RenderImage();
    EXPECT_EQ(darkIn(image, QRect(0, 0, kWidth, 5)), 0);
    EXPECT_GT(darkIn(image, QRect(0, kHeight - 24, kWidth, 24)), 30);

    chart.setTitlePosition(kLeft);
    chart.setTitleTextLayout(kUpward, 0, kAlignCentre);
    const QImage turned = chart.RenderImage();
    ks::test::keepPreview("turned_title.png", [&](const QString& path) { return turned.save(path); });
    chart.setTitleVisible(false);
    const QImage none = chart.RenderImage();
    EXPECT_GT(darkIn(turned, leftStrip), darkIn(none, leftStrip) + 30) << "an upward title runs down the left side";
}
