// The data window: what its load takes from the scorecard, and its save as.
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/data_form.h"
#include "tests/scorecard/scorecard_window_fixture.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QPushButton>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

struct DataFormTest : test::SpreadFormTest {
    SpreadForm* w = nullptr;
    DataFormTest()
    {
        settings(dir.str() + "/spreadsheets/Sample.vqa", "2");
        Main();
        w = &form<SpreadForm>();
    }
    // The window is no entry of the window table: it goes by itself.
    ~DataFormTest() override { formSlot<DataForm>().Unload(); }
    QString file(const std::string& name) const { return QString::fromStdString(dir.str() + "/" + name); }
    QStringList folderFiles() const { return QDir(QString::fromStdString(dir.str())).entryList(QDir::Files); }
};

}

TEST(HistoryYears, FromTheFirstYearToNowAndNowAloneForNoYear)
{
    EXPECT_EQ(HistoryYears(2022, 2025), (QStringList{"2022", "2023", "2024", "2025"}));
    EXPECT_EQ(HistoryYears(2025, 2025), QStringList{"2025"});
    EXPECT_EQ(HistoryYears(0, 2025), QStringList{"2025"}) << "an empty first year offers no 2026 years";
    EXPECT_EQ(HistoryYears(2027, 2025), QStringList{"2025"}) << "a history starting later still offers a year";
}

TEST_F(DataFormTest, LoadTakesTheListsAndTheFirstKpisActualsAndSwitchesToTheHistory)
{
    // A value past the bulk view's rows is read like any other.
    w->F1BookMain->setBookNumber(kHistory, history::actualRow(99), history::kpiCol(1), 4321);
    ASSERT_EQ(w->F1BookMain->CurrentSheet(), kMonthView);
    w->ShowDataForm();
    DataForm& d = form<DataForm>();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(w->F1BookMain->CurrentSheet(), kHistory) << "the scorecard is left on its history";

    const QDate today = QDate::currentDate();
    ASSERT_EQ(d.ComboStartmonth->count(), 12);
    EXPECT_EQ(d.ComboStartmonth->itemText(0), "Jan");
    EXPECT_EQ(d.ComboStartmonth->itemText(11), "Dec");
    EXPECT_EQ(d.ComboStartmonth->currentIndex(), today.month() - 1);

    const int first = std::stoi(w->F1BookMain->BookText(kSetup, setup::kFirstYearRow, setup::kHistoryCol));
    ASSERT_LE(first, today.year());
    EXPECT_EQ(d.ComboStartYear->count(), today.year() - first + 1);
    EXPECT_EQ(d.ComboStartYear->itemText(0), QString::number(first));
    EXPECT_EQ(d.ComboStartYear->currentText(), QString::number(today.year()));

    workbook::Book& data = d.F1BookData->book();
    int filled = 0;
    for (int j = 0; j < 100; ++j) {
        const std::string actual = w->F1BookMain->BookText(kHistory, history::actualRow(j), history::kpiCol(1));
        EXPECT_EQ(data.SheetText(3, 2 + j), actual) << "history month " << j;
        if (!actual.empty()) {
            ++filled;
            EXPECT_EQ(data.BookValue(1, 3, 2 + j).type, workbook::ValueType::Number);
        }
    }
    EXPECT_EQ(filled, 25) << "two years of the sample and the far month";
    EXPECT_EQ(data.SheetNumber(3, 101), 4321);
    EXPECT_EQ(data.SheetText(2, 2), "Month 1") << "the header the window comes with";

    // KS_SCREENSHOT_DIR=<folder> keeps a picture of the window.
    if (const char* shots = std::getenv("KS_SCREENSHOT_DIR"))
        EXPECT_TRUE(d.grab().save(QString::fromLocal8Bit(shots) + "/data_form.png"));
}

TEST_F(DataFormTest, SaveWritesAWorkbookThatReopensAndCancelWritesNothing)
{
    w->ShowDataForm();
    DataForm& d = form<DataForm>();
    const QStringList before = folderFiles();

    ui.answerSave(QString());
    d.cmdImport->click();
    EXPECT_EQ(folderFiles(), before) << "a cancelled dialog writes nothing";
    EXPECT_TRUE(ui.messageBoxes().empty()) << "and says nothing";
    EXPECT_TRUE(d.F1BookData->HostTag().empty());

    ui.answerSave(file("Sample.vqa"));
    ui.answerMessage(ui::OK);
    EXPECT_EQ(d.MnuFilesaveas_Click(), 0);
    EXPECT_EQ(ui.messageBoxes().back().text, "You can not overwrite your sample file.");
    EXPECT_EQ(folderFiles(), before);

    ui.answerSave(file("missing/folder/kpi.vqa"));
    ui.answerMessage(ui::OK);
    EXPECT_EQ(d.MnuFilesaveas_Click(), 0);
    EXPECT_EQ(ui.messageBoxes().back().caption, "Error ");

    ui.answerSave(file("kpi1"));
    d.cmdImport->click();
    const auto& dialog = ui.records().back().file;
    EXPECT_EQ(dialog.title, "Save current scorecard information");
    EXPECT_TRUE(dialog.fileName.isEmpty()) << "a workbook never saved has no name yet";
    const QString saved = file("kpi1.vqa");
    EXPECT_EQ(d.windowTitle(), saved);
    EXPECT_EQ(d.F1BookData->BookCaption(), saved.toStdString());
    EXPECT_EQ(d.F1BookData->HostTag(), "5");

    workbook::view::WorkbookControl reread;
    int type = 0;
    reread.ReadBookFile(saved.toStdString(), type);
    EXPECT_EQ(type, 5);
    EXPECT_EQ(reread.SheetText(3, 2), d.F1BookData->SheetText(3, 2));
    EXPECT_EQ(reread.SheetText(3, 2), w->F1BookMain->BookText(kHistory, history::actualRow(0), history::kpiCol(1)));

    // The next save offers the name it was saved under.
    ui.answerSave(QString());
    d.MnuFilesaveas->trigger();
    EXPECT_EQ(ui.records().back().file.fileName, saved);
}
