// Tools > Import Data: an older scorecard's history and KPI set-up carried into a new one
// through the menu, and every way it can stop leaving the new scorecard as it was.
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/book.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/import_blocks.h"
#include "tests/scorecard/scorecard_window_fixture.h"
#include "tools/scorecard_files/scorecard_files.h"

#include <QAction>
#include <QFileInfo>
#include <map>
#include <tuple>

using namespace ks;
using namespace ks::scorecard::layout;
using ks::scorecard::importBlocks;
using workbook::Book;

namespace {

const char* const kWarning =
    "This module imports data from a previous version. Proceed at your own risk.\r\r"
    "Make sure you have created a new template and set the Historical start date to that of the data that you "
    "wish to import.";
const char* const kImported =
    " Your data has successfully been imported. Close the program and then re-open it to refresh your data";

// What every cell of a book holds, its formula or else its text, keyed by sheet, row and column.
using Cells = std::map<std::tuple<int, int, int>, std::string>;

Cells cellsOf(const Book& book)
{
    Cells cells;
    for (int s = 1; s <= book.SheetCount(); ++s)
        book.data().sheets[static_cast<std::size_t>(s - 1)].forEachCell([&](int r, int c, const auto&) {
            std::string held = book.BookFormula(s, r, c);
            if (held.empty())
                held = book.BookText(s, r, c);
            if (!held.empty())
                cells[{s, r, c}] = held;
        });
    return cells;
}

// The protection of each sheet an import pastes on; the shown sheet stays.
std::vector<bool> blockProtection(Book& book)
{
    const int shown = book.CurrentSheet();
    std::vector<bool> on;
    for (const auto& b : importBlocks()) {
        book.setCurrentSheet(b.sheet);
        on.push_back(book.SheetProtected());
    }
    book.setCurrentSheet(shown);
    return on;
}

bool inImportBlock(int sheet, int row, int col)
{
    for (const auto& b : importBlocks())
        if (b.sheet == sheet && row >= b.firstRow && row <= b.lastRow && col >= b.firstCol && col <= b.lastCol)
            return true;
    return false;
}

Cells outsideBlocks(const Cells& all)
{
    Cells rest;
    for (const auto& [at, cell] : all)
        if (!inImportBlock(std::get<0>(at), std::get<1>(at), std::get<2>(at)))
            rest[at] = cell;
    return rest;
}

Cells insideBlocks(const Cells& all)
{
    Cells inside;
    for (const auto& [at, cell] : all)
        if (inImportBlock(std::get<0>(at), std::get<1>(at), std::get<2>(at)))
            inside[at] = cell;
    return inside;
}

// A new scorecard from the template is open; an older one with two years of data waits to be imported.
struct ImportTest : test::SpreadFormTest {
    SpreadForm* w = nullptr;
    Book old;

    ImportTest()
    {
        dir.copyProgramFile("newxx2.tem");
        std::filesystem::copy_file(dir.path() / "newxx2.tem", dir.path() / "spreadsheets/New.vqa");
        settings(dir.str() + "/spreadsheets/New.vqa", "2");
        scorecard::files::buildSample(old, 2025, 7);
        // The last KPI's comments and the last plan lines must come along too.
        old.setBookText(kSetup, setup::kpiRow(20), setup::kNameCol, "Cash at Bank");
        old.setBookText(kKpiComments, texts::lineRow(3), texts::commentCol(20), "Overdraft cleared.");
        old.setBookText(kSectionTexts, texts::lineRow(5), texts::kLastSectionCol, "Weekly stock count.");
        old.WriteBookFile(file("Old.vqa").toStdString(), workbook::kFileNative);
        setCommandLine("\\IMPORT");
        Main();
        w = &form<SpreadForm>();
    }
    ~ImportTest() override { w->F1BookMain->setHostTag({}); }

    QString file(const std::string& name) const { return QString::fromStdString(dir.str() + "/spreadsheets/" + name); }
    Book& open() { return w->F1BookMain->book(); }
    // The warning confirmed and the file dialog answered with `path`.
    void startImport(const QString& path)
    {
        ui.clear();
        ui.answerMessage(ui::OK);
        ui.answerOpen(path);
    }
    void expectUnchanged(const Cells& before, const std::vector<bool>& protection)
    {
        EXPECT_EQ(cellsOf(open()), before);
        EXPECT_EQ(blockProtection(open()), protection);
        EXPECT_EQ(w->F1BookMain->CurrentSheet(), 1);
        EXPECT_TRUE(w->F1BookMain->HostTag().empty()) << "nothing to save";
    }
};

}

TEST_F(ImportTest, TheOlderScorecardsHistoryAndSetUpArriveAndNothingElse)
{
    ASSERT_TRUE(w->MnuImportData->isVisible());
    const Cells before = cellsOf(open());
    // A block the user copied before stays on the clipboard.
    workbook::ClipBlock mine;
    mine.rows = mine.cols = 1;
    mine.cells.push_back({workbook::Value::ofText("copied by the user"), "", {}});
    workbook::sharedClipboard() = mine;

    startImport(file("Old.vqa"));
    for (int i = 0; i < 5; ++i)
        ui.answerMessage(ui::OK);
    w->MnuImportData->trigger();

    const auto boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_EQ(boxes[0].text, kWarning);
    EXPECT_EQ(boxes[0].buttons, ui::OKCancel);
    EXPECT_EQ(boxes[0].icon, ui::NoIcon);
    const char* progress[] = {"transferring the budgets", "transferring the Comments", "transferring the Plans",
                              "transferring the KPI Names"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i + 1].text, progress[i]);
        EXPECT_EQ(boxes[i + 1].buttons, ui::OKOnly);
        EXPECT_EQ(boxes[i + 1].icon, ui::NoIcon);
    }
    EXPECT_EQ(boxes[5].text, kImported);
    EXPECT_EQ(boxes[5].icon, ui::Information);
    const auto& dialog = ui.records()[1].file;
    EXPECT_EQ(dialog.filter, "Scorecard Files (*.vqa)|*.vqa");
    EXPECT_EQ(dialog.startFolder, file("").chopped(1));

    // Budgets, actuals, comments, plans and KPI set-up are the older scorecard's.
    const Cells after = cellsOf(open());
    EXPECT_EQ(insideBlocks(after), insideBlocks(cellsOf(old)));
    EXPECT_EQ(outsideBlocks(after), outsideBlocks(before)) << "nothing outside the blocks changes";
    EXPECT_EQ(open().BookNumber(kHistory, history::actualRow(0), history::kpiCol(1)),
              old.BookNumber(kHistory, history::actualRow(0), history::kpiCol(1)));
    EXPECT_EQ(open().BookNumber(kHistory, history::targetRow(30), history::kpiCol(12)),
              old.BookNumber(kHistory, history::targetRow(30), history::kpiCol(12)));
    EXPECT_EQ(open().BookText(kKpiComments, texts::lineRow(3), texts::commentCol(20)), "Overdraft cleared.");
    EXPECT_EQ(open().BookText(kSectionTexts, texts::lineRow(5), texts::kLastSectionCol), "Weekly stock count.");
    EXPECT_EQ(open().BookText(kSetup, setup::kpiRow(1), setup::kFormatTypeCol), "currency");
    EXPECT_EQ(open().BookText(kMonthView, month::kpiRow(1), month::kNameCol), "Sales Revenue")
        << "the month view names the imported KPIs";

    // Shown on the month view, each pasted sheet protected again, the user's clipboard kept.
    EXPECT_EQ(w->F1BookMain->CurrentSheet(), 1);
    EXPECT_EQ(blockProtection(open()), std::vector<bool>(4, true));
    ASSERT_EQ(workbook::sharedClipboard().cells.size(), 1u);
    EXPECT_EQ(workbook::sharedClipboard().cells[0].value.text, "copied by the user");

    // Marked changed, so Save writes what came in and a reopened file has it.
    EXPECT_EQ(w->F1BookMain->HostTag(), "dirty");
    EXPECT_TRUE(w->MnuFilesave_Click());
    Book reread;
    reread.ReadBookFile(file("New.vqa").toStdString());
    EXPECT_EQ(reread.BookText(kKpiComments, texts::lineRow(3), texts::commentCol(20)), "Overdraft cleared.");
    EXPECT_EQ(reread.BookText(kSetup, setup::kpiRow(20), setup::kNameCol), "Cash at Bank");
}

TEST_F(ImportTest, CancelOnTheWarningOrTheFileDialogChangesNothing)
{
    const Cells before = cellsOf(open());
    const std::vector<bool> protection = blockProtection(open());
    ui.answerMessage(ui::Cancel);
    w->MnuImportData->trigger();
    EXPECT_EQ(ui.records().size(), 1u) << "no file dialog after Cancel";
    expectUnchanged(before, protection);

    startImport(QString());
    ui.answerMessage(ui::OK);
    w->MnuImportData->trigger();
    const auto boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "No scorecard was chosen, so nothing has been imported.");
    expectUnchanged(before, protection);
}

TEST_F(ImportTest, ADamagedOrMissingFileIsReportedAndChangesNothing)
{
    const Cells before = cellsOf(open());
    const std::vector<bool> protection = blockProtection(open());
    dir.write("spreadsheets/Broken.vqa", "<book>half a workbook");
    for (const QString& path : {file("Broken.vqa"), file("Gone.vqa")}) {
        startImport(path);
        ui.answerMessage(ui::OK);
        w->MnuImportData->trigger();
        const auto boxes = ui.messageBoxes();
        ASSERT_EQ(boxes.size(), 2u) << "no progress box follows: " << path.toStdString();
        EXPECT_EQ(boxes[1].caption, "Error DataImport");
        EXPECT_TRUE(boxes[1].text.endsWith("\r\r(Error #20012)")) << boxes[1].text.toStdString();
        EXPECT_TRUE(w->F1BookMain->HostVisible());
        expectUnchanged(before, protection);
    }
}

TEST_F(ImportTest, AWorkbookThatIsNoScorecardStopsTheImportAndChangesNothing)
{
    Book single;
    single.WriteBookFile(file("Single.vqa").toStdString(), workbook::kFileNative);
    // A mix of protected and open sheets comes back as it was.
    open().setCurrentSheet(kSetup);
    open().setSheetProtected(false);
    open().setCurrentSheet(kHistory);
    open().setSheetProtected(true);
    open().setCurrentSheet(kMonthView);
    const Cells before = cellsOf(open());
    const std::vector<bool> protection = blockProtection(open());
    startImport(file("Single.vqa"));
    ui.answerMessage(ui::OK);   // the first progress box
    ui.answerMessage(ui::OK);
    w->MnuImportData->trigger();
    const auto boxes = ui.messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].caption, "DataImport Error ");
    EXPECT_TRUE(boxes[2].text.endsWith("\r\r(Error #20001)")) << boxes[2].text.toStdString();
    expectUnchanged(before, protection);
}

TEST(ImportUndo, PutsBackEveryBlockItsProtectionAndSelectionAndKeepsTheClipboard)
{
    Book open, older;
    scorecard::files::buildTemplate(open, 2024);
    scorecard::files::buildSample(older, 2025, 3);
    open.setBookText(kSetup, setup::kpiRow(2), setup::kNameCol, "Kept name");
    open.setCurrentSheet(kHistory);
    open.setSheetProtected(true);
    open.SelectBlock(20, 7, 21, 8);
    open.setCurrentSheet(kKpiComments);
    const Cells before = cellsOf(open);
    const std::vector<bool> protection = blockProtection(open);
    workbook::sharedClipboard() = {};

    {
        scorecard::ImportUndo undo(open);
        for (const auto& b : importBlocks()) {
            scorecard::copyImportBlock(older, b);
            scorecard::pasteImportBlock(open, b);
        }
        ASSERT_NE(cellsOf(open), before);
        undo.restore();
    }
    EXPECT_EQ(cellsOf(open), before);
    EXPECT_EQ(blockProtection(open), protection);
    EXPECT_EQ(open.CurrentSheet(), kKpiComments);
    open.setCurrentSheet(kHistory);
    EXPECT_EQ(open.GetSelectedBlock(), (workbook::Block{20, 7, 21, 8}));
    EXPECT_TRUE(workbook::sharedClipboard().empty()) << "the clipboard is as the user left it";
}
