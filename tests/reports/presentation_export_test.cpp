// The presentation export: a title slide and one slide per reported KPI with its
// results and chart, in the design template, written as a .pptx that an office suite
// opens, and opened for the user; failures are told and open nothing.
#include "platform/runtime/app.h"
#include "platform/shell/scripted_shell.h"
#include "tests/platform/slides/deck_fixture.h"
#include "reports/report_sheet.h"
#include "tests/reports/report_fixture.h"
#include "tests/support/chart_preview.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <filesystem>

using namespace ks;
using namespace ks::scorecard::layout;
using test::ReportTest;

namespace {

const QString kDifficulty = QStringLiteral(
    "We seem to have some difficulty in exporting to Microsoft PowerPoint. Please make sure that you have this "
    "application installed on your computer or that it is not in use at the moment. Then re-run this report.");

struct PresentationTest : ReportTest {
    shell::ScriptedShell desktop;
    PresentationTest()
    {
        dir.copyProgramFile("Summary of Results.pot");
        shell::setShell(&desktop);
    }
    ~PresentationTest() override
    {
        shell::setShell(nullptr);
        for (const QString& opened : desktop.opened())
            std::filesystem::remove_all(QFileInfo(opened).absolutePath().toStdString());
    }
    // Exports the report shown as a presentation; the file opened for the user.
    QString exportPresentation()
    {
        screen->OptionExport[0]->setChecked(true);
        screen->cmdExport_Click();
        return desktop.opened().isEmpty() ? QString() : desktop.opened().back();
    }
    // The total (or average) and the variance line of the k-th block as the sheet shows them.
    std::string shown(int block, int line) const
    {
        const int totalCol = std::stoi(report->SheetText(reports::kTotalColumnRow, reports::kLabelCol));
        return report->SheetShownText(reports::blockHeaderRow(block) + line, totalCol);
    }
};

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(180000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}

TEST_F(PresentationTest, EveryKpiGetsASlideThatAnOfficeSuiteShows)
{
    generate(kLast - 23, kLast, reports::kActualAndBudget, true);
    const QString pptx = exportPresentation();
    ASSERT_TRUE(pptx.endsWith(".pptx")) << pptx.toStdString();
    ASSERT_TRUE(QFileInfo::exists(pptx));
    EXPECT_TRUE(ui.messageBoxes().empty());

    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "no office suite or pdftotext to open the presentation with";
    const QString out = QString::fromStdString(dir.path().string());
    run(soffice, {"-env:UserInstallation=file://" + out + "/office-profile", "--headless", "--convert-to", "pdf",
                  "--outdir", out, pptx});
    const QString pdf = out + "/" + QFileInfo(pptx).completeBaseName() + ".pdf";
    ASSERT_TRUE(QFileInfo::exists(pdf)) << "the office suite opened the presentation";
    ks::test::keepPreview("presentation.pdf", [&](const QString& path) { return QFile::copy(pdf, path); });
    EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+" + QString::number(1 + kKpis) + "\\n")));

    const QString period = screen->Combo1[0]->currentText() + "-" + screen->Combo1[1]->currentText();
    EXPECT_TRUE(run("pdftotext", {"-f", "1", "-l", "1", pdf, "-"}).contains("Period " + period));
    for (int k = 1; k <= kKpis; ++k) {
        SCOPED_TRACE("KPI " + std::to_string(k));
        const QString n = QString::number(k + 1);
        const QString text = run("pdftotext", {"-f", n, "-l", n, pdf, "-"}).simplified();
        EXPECT_TRUE(text.contains("'" + screen->KPIList->item(k)->text() + "'")) << text.toStdString();
        EXPECT_TRUE(text.contains("Total achieved : " + QString::fromStdString(shown(k, 1)))) << text.toStdString();
        EXPECT_TRUE(text.contains("% of Target : " + QString::fromStdString(shown(k, 3)))) << text.toStdString();
    }
}

namespace {

// The paragraphs of every text on slide n (from 1) of a written presentation, joined by "|".
std::vector<std::string> slideTexts(const QString& pptx, int n)
{
    const slides::test::Unzipped package = slides::test::unzip(pptx.toStdString());
    const pugi::xml_document slide = package.xml("ppt/slides/slide" + std::to_string(n) + ".xml");
    std::vector<std::string> texts;
    for (const pugi::xpath_node& body : slide.select_nodes("//*[local-name()='txBody']")) {
        std::string text;
        for (const pugi::xpath_node& para : body.node().select_nodes(".//*[local-name()='p']")) {
            if (!text.empty())
                text += "|";
            for (const pugi::xpath_node& run : para.node().select_nodes(".//*[local-name()='t']"))
                text += run.node().text().get();
        }
        texts.push_back(text);
    }
    return texts;
}

int slideCount(const QString& pptx)
{
    int count = 0;
    for (const auto& [name, bytes] : slides::test::unzip(pptx.toStdString()).parts)
        count += name.rfind("ppt/slides/slide", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".xml";
    return count;
}

}

TEST_F(PresentationTest, TheBodyFollowsTheReportTypeAndTheVarianceChoice)
{
    book->setBookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol, 1);
    generate(kLast - 2, kLast, reports::kActualAndBudget, true, {1, 3});
    const QString period = screen->Combo1[0]->currentText() + "-" + screen->Combo1[1]->currentText();
    QString pptx = exportPresentation();
    ASSERT_EQ(slideCount(pptx), 3);
    const std::string name = "'" + screen->KPIList->item(3)->text().toStdString() + "'";
    const std::string review = "Review of " + name + " for the period '" + period.toStdString() + "'";
    EXPECT_EQ(slideTexts(pptx, 3),
              (std::vector<std::string>{name,
                                        review + "|Total achieved : " + shown(2, 1) + "|Variance" + shown(2, 3)}));

    generate(kLast - 2, kLast, reports::kActualsOnly, true, {3});
    pptx = exportPresentation();
    ASSERT_EQ(slideCount(pptx), 2);
    EXPECT_EQ(slideTexts(pptx, 1)[1], "Period " + period.toStdString());
    EXPECT_EQ(slideTexts(pptx, 2)[1], review + "|Total achieved : " + shown(1, 1));
}

TEST_F(PresentationTest, SelectAllTickedAgainGetsNoSlide)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {2});
    screen->setKpiTicked(0, true);
    const QString pptx = exportPresentation();
    ASSERT_FALSE(pptx.isEmpty());
    EXPECT_EQ(slideCount(pptx), 2) << "the title and the one KPI";
    EXPECT_EQ(slideTexts(pptx, 2)[0], "'" + screen->KPIList->item(2)->text().toStdString() + "'");
}

TEST_F(PresentationTest, AMissingTemplateOrPictureIsToldAndNothingIsOpened)
{
    generate(kLast, kLast, reports::kActualAndBudget, true, {1, 2});
    const auto expectDifficulty = [&] {
        ASSERT_EQ(ui.messageBoxes().size(), 1u);
        const auto box = ui.messageBoxes().back();
        EXPECT_EQ(box.text, kDifficulty);
        EXPECT_EQ(box.icon, ui::Critical);
        EXPECT_EQ(box.caption, App::title());
        EXPECT_TRUE(desktop.opened().isEmpty());
    };

    std::filesystem::remove(dir.path() / "graphs" / "KPI_2.jpg");
    ui.answerMessage(ui::OK);
    EXPECT_TRUE(exportPresentation().isEmpty());
    expectDifficulty();

    generate(kLast, kLast, reports::kActualAndBudget, true, {1, 2});
    std::filesystem::remove(dir.path() / "Summary of Results.pot");
    ui.clear();
    ui.answerMessage(ui::OK);
    EXPECT_TRUE(exportPresentation().isEmpty());
    expectDifficulty();
}
