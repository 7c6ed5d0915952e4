// The diagram's print preview and its page setup: first use, the kept settings,
// pages down and across, and printing through the printer the user picks.
#include "container/frm_page_setup.h"
#include "container/frm_pics.h"
#include "container/frm_print.h"
#include "container/registry_settings.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/controls/status_bar.h"
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/print_preview.h"
#include "platform/printing/printers.h"
#include "tests/container/mru_fixture.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/scripted_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QRadioButton>

using namespace ks;
using namespace ks::container;

namespace {

class PrintPreviewTest : public test::ConfigHomeTest {
protected:
    void SetUp() override
    {
        ConfigHomeTest::SetUp();
        App::setTitle("Resources Test");
        printing::Printer start(pdf("current.pdf"));
        start.setPaperSize(9);   // A4
        start.setOrientation(printing::kPortrait);
        printing::SetCurrentPrinter(start);
        diagram_.resize(400, 300);
    }
    void TearDown() override
    {
        for (FormSlot* slot : {&formSlot<frmPageSetup>(), &formSlot<frmPrint>(), &formSlot<frmPics>()})
            delete slot->existing();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ConfigHomeTest::TearDown();
    }

    QString pdf(const char* name) const { return QString::fromStdString((temp.path() / name).string()); }

    // A plan of three boxes in a row and one below, size x size twips overall.
    void drawPlan(double width, double height)
    {
        auto& a = diagram_.AddNode({0, 0, width / 4, height / 4}, "Vision");
        auto& b = diagram_.AddNode({width * 3 / 8, 0, width / 4, height / 4}, "Goals");
        auto& c = diagram_.AddNode({width * 3 / 4, height * 3 / 4, width / 4, height / 4}, "Actions");
        diagram_.AddLink(a, b);
        diagram_.AddLink(b, c);
    }

    // What a caller does to show the preview of a diagram.
    frmPrint& showPreview()
    {
        frmPrint& window = form<frmPrint>();
        window.setAF(&diagram_);
        window.PrnFlow1->setDiagram(&diagram_);
        window.PrnFlow1->Refresh();
        window.Show();   // showing activates it: fit button, zoom entry and page counts
        return window;
    }

    void chooseFromMenu(frmPrint& window, const QString& button, int n)
    {
        window.tlbPint_ButtonMenuClick(button, QString::number(n));
    }

    test::ScriptedUi ui_;
    diagram::DiagramControl diagram_;
};

}

TEST_F(PrintPreviewTest, FirstUseFitsOnePageInLandscapeUnderTheProgramTitle)
{
    drawPlan(20000, 13000);
    frmPrint& window = showPreview();
    EXPECT_EQ(window.windowTitle(), "Print");
    EXPECT_TRUE(window.PrnFlow1->FitToPage());
    EXPECT_EQ(window.PrnFlow1->Orientation(), printing::kLandscape);
    EXPECT_EQ(printing::CurrentPrinter().Orientation(), printing::kLandscape);
    EXPECT_EQ(window.PrnFlow1->Title(), "Resources Test");
    EXPECT_EQ(window.PrnFlow1->Header(), "");
    EXPECT_EQ(window.PrnFlow1->Footer(), "|<PAGE>|");
    EXPECT_TRUE(window.tlbPint->Checked("FIT"));
    EXPECT_EQ(window.cboZoom->currentText(), "100%");
    EXPECT_EQ(window.staPrint->PanelText("PAGE"), "Pages: 1/1");
    EXPECT_EQ(window.staPrint->PanelText("VPAGE"), "Vertical Pages: 1");
    EXPECT_EQ(window.staPrint->PanelText("HPAGE"), "Horizontal Pages: 1");
}

TEST_F(PrintPreviewTest, TheZoomListOffersTenToTwoHundredAndMatchesOnlyItsOwnSteps)
{
    frmPrint& window = showPreview();
    ASSERT_EQ(window.cboZoom->count(), 20);
    for (int i = 0; i < window.cboZoom->count(); ++i)
        EXPECT_EQ(window.cboZoom->itemText(i), QString::number(window.cboZoom->itemData(i).toInt()) + "%");
    window.cboZoom->setCurrentIndex(14);
    window.cboZoom_Click();
    EXPECT_EQ(window.PrnFlow1->Zoom(), 150);

    window.PrnFlow1->setZoom(75);   // set by a caller
    window.Form_Activate();
    EXPECT_EQ(window.cboZoom->currentIndex(), -1);
}

TEST_F(PrintPreviewTest, TheFourSettingsAreKeptWhenThePreviewClosesAndReadNextTime)
{
    {
        frmPrint& window = showPreview();
        frmPageSetup& setup = form<frmPageSetup>();
        EXPECT_EQ(setup.windowTitle(), "Page Setup");
        EXPECT_TRUE(setup.optOri[1]->isChecked());
        EXPECT_TRUE(setup.chkFit->isChecked());
        setup.txtHeader->setText("Plan 2027");
        setup.txtFooter->setText("Kestrel Ltd||Page <PAGE>");
        setup.optOri[0]->setChecked(true);
        setup.chkFit->setChecked(false);
        setup.cmdOK_Click();
        EXPECT_FALSE(setup.isLoaded());
        EXPECT_EQ(window.PrnFlow1->Orientation(), printing::kPortrait);
        EXPECT_EQ(printing::CurrentPrinter().Orientation(), printing::kPortrait);
        EXPECT_EQ(GetSet("Header"), "") << "nothing is stored before the preview closes";
        window.Unload();
    }
    EXPECT_EQ(GetSet("FitToPage"), "False");
    EXPECT_EQ(GetSet("Header"), "Plan 2027");
    EXPECT_EQ(GetSet("Footer"), "Kestrel Ltd||Page <PAGE>");
    EXPECT_EQ(GetSet("Ori"), "1");

    reopenStore();
    frmPrint& again = showPreview();
    EXPECT_FALSE(again.PrnFlow1->FitToPage());
    EXPECT_FALSE(again.tlbPint->Checked("FIT"));
    EXPECT_EQ(again.PrnFlow1->Header(), "Plan 2027");
    EXPECT_EQ(again.PrnFlow1->Footer(), "Kestrel Ltd||Page <PAGE>");
    EXPECT_EQ(again.PrnFlow1->Orientation(), printing::kPortrait);
    EXPECT_EQ(printing::CurrentPrinter().Orientation(), printing::kPortrait);
}

TEST_F(PrintPreviewTest, StoredValuesThisWindowNeverWritesLeaveTheDefaults)
{
    SaveSet("FitToPage", "perhaps");
    SaveSet("Ori", "7");
    frmPrint& window = showPreview();
    EXPECT_TRUE(window.PrnFlow1->FitToPage());
    EXPECT_EQ(window.PrnFlow1->Orientation(), printing::kLandscape);
    SaveSet("FitToPage", "0");
    window.Unload();
    EXPECT_EQ(GetSet("Ori"), "2");
    EXPECT_EQ(GetSet("FitToPage"), "True");
}

TEST_F(PrintPreviewTest, CancellingThePageSetupChangesNothing)
{
    frmPrint& window = showPreview();
    frmPageSetup& setup = form<frmPageSetup>();
    setup.txtHeader->setText("Not wanted");
    setup.optOri[0]->setChecked(true);
    setup.chkFit->setChecked(false);
    setup.cmdCancel_Click();
    EXPECT_FALSE(setup.isLoaded());
    EXPECT_EQ(window.PrnFlow1->Header(), "");
    EXPECT_EQ(window.PrnFlow1->Orientation(), printing::kLandscape);
    EXPECT_EQ(printing::CurrentPrinter().Orientation(), printing::kLandscape);
    EXPECT_TRUE(window.PrnFlow1->FitToPage());
}

TEST_F(PrintPreviewTest, OrientationAndFitButtonsLayOutAgainAndCountThePages)
{
    drawPlan(20000, 13000);
    frmPrint& window = showPreview();
    window.tlbPint->setChecked("FIT", false);
    window.tlbPint_ButtonClick("fit");   // keys are compared in upper case
    EXPECT_FALSE(window.PrnFlow1->FitToPage());
    EXPECT_EQ(window.staPrint->PanelText("PAGE"), "Pages: 1/4");
    EXPECT_EQ(window.staPrint->PanelText("VPAGE"), "Vertical Pages: 2");
    EXPECT_EQ(window.staPrint->PanelText("HPAGE"), "Horizontal Pages: 2");
    window.tlbPint_ButtonClick("NEXT");
    window.tlbPint_ButtonClick("NEXT");
    EXPECT_EQ(window.PrnFlow1->CurrentPage(), 3);
    window.tlbPint_ButtonClick("PRIOR");
    EXPECT_EQ(window.PrnFlow1->CurrentPage(), 2);

    window.tlbPint_ButtonClick("PORTRAIT");
    EXPECT_EQ(window.PrnFlow1->Orientation(), printing::kPortrait);
    // Portrait A4 is narrower and taller: three pages across, one down.
    EXPECT_EQ(window.PrnFlow1->PagesAcross(), 3);
    EXPECT_EQ(window.PrnFlow1->PagesDown(), 1);
    EXPECT_EQ(window.staPrint->PanelText("HPAGE"), "Horizontal Pages: 3");
}

TEST_F(PrintPreviewTest, PagesDownOrAcrossSpreadTheDiagramAndClosingRestoresItsZoom)
{
    drawPlan(3000, 2000);
    frmPrint& window = showPreview();
    window.tlbPint->setChecked("FIT", false);
    window.tlbPint_ButtonClick("FIT");
    ASSERT_EQ(window.PrnFlow1->PageCount(), 1);

    chooseFromMenu(window, "DOWN", 3);
    EXPECT_GE(window.PrnFlow1->PagesDown(), 3);
    EXPECT_GT(diagram_.xZoom(), 100);
    EXPECT_EQ(diagram_.xZoom(), diagram_.yZoom());
    EXPECT_TRUE(window.tlbPint->ButtonMenu("DOWN")->Checked("3"));
    EXPECT_EQ(window.staPrint->PanelText("VPAGE"), "Vertical Pages: " + QString::number(window.PrnFlow1->PagesDown()));
    EXPECT_FALSE(ui::hourglass());

    // Asking again for what is there already zooms and lays out once more all the same.
    const int zoomBefore = diagram_.xZoom();
    chooseFromMenu(window, "DOWN", 3);
    EXPECT_EQ(diagram_.xZoom(), zoomBefore);

    chooseFromMenu(window, "WIDE", 2);
    EXPECT_GE(window.PrnFlow1->PagesAcross(), 2);
    EXPECT_FALSE(window.tlbPint->ButtonMenu("DOWN")->Checked("2"));
    EXPECT_TRUE(window.tlbPint->ButtonMenu("WIDE")->Checked("2"));

    // The button itself goes back to the natural size.
    window.tlbPint_ButtonClick("WIDE");
    EXPECT_EQ(diagram_.xZoom(), 100);
    EXPECT_EQ(window.PrnFlow1->PageCount(), 1);

    chooseFromMenu(window, "DOWN", 2);
    window.Unload();
    EXPECT_EQ(diagram_.xZoom(), 100);
    EXPECT_EQ(diagram_.yZoom(), 100);
}

TEST_F(PrintPreviewTest, AnEmptyDiagramKeepsItsZoomWhenSpread)
{
    frmPrint& window = showPreview();
    window.tlbPint->setChecked("FIT", false);
    window.tlbPint_ButtonClick("FIT");
    chooseFromMenu(window, "DOWN", 4);
    EXPECT_EQ(diagram_.xZoom(), 100);
    EXPECT_EQ(window.PrnFlow1->PageCount(), 1);
}

TEST_F(PrintPreviewTest, CancellingThePrinterDialogPrintsNothingAndClosesThePreview)
{
    drawPlan(20000, 13000);
    frmPrint& window = showPreview();
    ui_.answerPrint(false);
    window.tlbPint_ButtonClick("PRINT");
    EXPECT_FALSE(formSlot<frmPrint>().isLoaded());
    EXPECT_FALSE(QFileInfo::exists(pdf("current.pdf")));
    EXPECT_EQ(printing::CurrentPrinter().Port(), pdf("current.pdf"));
}

TEST_F(PrintPreviewTest, PrintsOnePageWhenFittedWithHeaderAndFooter)
{
    if (!test::havePdfTools())
        GTEST_SKIP() << "no poppler tools to read the file with";
    drawPlan(20000, 13000);
    SaveSet("Header", "Plan 2027||Draft");
    frmPrint& window = showPreview();
    const QString out = pdf("fitted.pdf");
    ui_.answerPrint(true, out);
    window.tlbPint_ButtonClick("PRINT");
    EXPECT_FALSE(formSlot<frmPrint>().isLoaded());
    ASSERT_TRUE(QFileInfo::exists(out));
    EXPECT_EQ(test::pdfPageCount(out), 1);
    const QString text = test::pdfPageText(out, 1);
    EXPECT_TRUE(text.contains("Plan 2027")) << text.toStdString();
    EXPECT_TRUE(text.contains("Draft"));
    EXPECT_TRUE(text.contains("Vision") && text.contains("Actions"));
    EXPECT_TRUE(text.contains(QRegularExpression("\\b1\\s*$"))) << "the footer's page number";
    EXPECT_EQ(test::pdfInfo(out, "Title"), "Resources Test");
    // The chosen file is the current printer from now on.
    EXPECT_EQ(printing::CurrentPrinter().Port(), out);
}

TEST_F(PrintPreviewTest, PrintsTwoByTwoPagesEachWithHeaderAndNumberedFooter)
{
    if (!test::havePdfTools())
        GTEST_SKIP() << "no poppler tools to read the file with";
    drawPlan(20000, 13000);
    SaveSet("FitToPage", "False");
    SaveSet("Header", "Plan 2027");
    SaveSet("Footer", "|Page <PAGE>|");
    frmPrint& window = showPreview();
    ASSERT_EQ(window.PrnFlow1->PagesAcross(), 2);
    ASSERT_EQ(window.PrnFlow1->PagesDown(), 2);
    // The dialog's choice goes to the current printer: its file. The system's own
    // default printer is not touched on the way.
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    ui_.answerPrint(true);
    window.tlbPint_ButtonClick("PRINT");
    EXPECT_EQ(QPrinterInfo::defaultPrinterName(), systemDefault);
    const QString out = pdf("current.pdf");
    ASSERT_TRUE(QFileInfo::exists(out));
    ASSERT_EQ(test::pdfPageCount(out), 4);
    for (int page = 1; page <= 4; ++page) {
        const QString text = test::pdfPageText(out, page);
        EXPECT_TRUE(text.contains("Plan 2027")) << page;
        EXPECT_TRUE(text.contains("Page " + QString::number(page))) << text.toStdString();
    }
}

TEST_F(PrintPreviewTest, ThePreviewFillsTheRoomBetweenItsBarsAndTheHiddenWindowClosesIt)
{
    frmPrint& window = showPreview();
    window.resize(640, 480);
    const QRect room = window.PrnFlow1->geometry();
    EXPECT_EQ(room.top(), window.cbaPrint->geometry().bottom() + 1);
    EXPECT_EQ(room.bottom() + 1, window.staPrint->geometry().top());
    EXPECT_EQ(room.width(), 640);

    form<frmPics>().tmrEnd_Timer();
    EXPECT_FALSE(formSlot<frmPrint>().isLoaded());
}

// The window as a user sees it, for the README's picture: KS_PRINT_PREVIEW_SHOT=<png>.
TEST_F(PrintPreviewTest, ShowsTheFirstPageWithItsDiagramHeaderAndCounts)
{
    drawPlan(20000, 13000);
    for (diagram::Node* node : diagram_.Nodes())
        node->setFillColor(0xE0C8A0);   // a light blue, as 0xBBGGRR
    SaveSet("FitToPage", "False");
    SaveSet("Header", "Plan 2027||Kestrel Ltd");
    frmPrint& window = showPreview();
    window.resize(760, 560);
    window.cboZoom->setCurrentIndex(4);   // 50%
    window.cboZoom_Click();
    window.Form_Activate();
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(window.staPrint->PanelText("PAGE"), "Pages: 1/4");
    EXPECT_EQ(window.cboZoom->currentText(), "50%");
    // The page is drawn: the node's fill shows somewhere in the preview's area.
    const QRect area = window.PrnFlow1->geometry();
    bool filled = false;
    for (int y = area.top(); y < area.bottom() && !filled; y += 2)
        for (int x = area.left(); x < area.right() && !filled; x += 2)
            filled = shot.pixelColor(x, y) == QColor(0xA0, 0xC8, 0xE0);
    EXPECT_TRUE(filled);
    if (const QString path = qEnvironmentVariable("KS_PRINT_PREVIEW_SHOT"); !path.isEmpty())
        shot.save(path);
}

TEST_F(PrintPreviewTest, APrinterThatCannotBeDrawnOnIsReportedAndThePreviewStillCloses)
{
    drawPlan(20000, 13000);
    frmPrint& window = showPreview();
    const QString nowhere = pdf("no such folder/plan.pdf");
    ui_.answerPrint(true, nowhere);
    ui_.answerMessage(ui::OK);
    window.tlbPint_ButtonClick("PRINT");
    ASSERT_EQ(ui_.messageBoxes().size(), 1u);
    EXPECT_EQ(ui_.messageBoxes()[0].caption, "Error in frmPrint: Sub tlbPint_ButtonClick");
    EXPECT_TRUE(ui_.messageBoxes()[0].text.endsWith("(Error #482)")) << ui_.messageBoxes()[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_FALSE(formSlot<frmPrint>().isLoaded());
    EXPECT_EQ(GetSet("Ori"), "2") << "the settings are still kept";
}
