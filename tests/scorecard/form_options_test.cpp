// Tools > Options on the sample scorecard: the option cells it shows and stores, the
// checks of the three dates, and what a refusal or Cancel leaves.
#include "edit_commands_fixture.h"

#include "main/main_mod.h"
#include "scorecard/window/form_options.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

struct FormOptionsTest : test::ScorecardCommandTest {
    // The month the data sheet shows, as its two text cells hold it.
    void showMonth(const std::string& month, const std::string& year)
    {
        book->setBookText(kMonthView, month::kMonthTextRow, month::kSelectedTextCol, month);
        book->setBookText(kMonthView, month::kYearTextRow, month::kSelectedTextCol, year);
    }
    void store(const std::string& fyMonth, const std::string& fyYear, const std::string& hdMonth,
               const std::string& hdYear, double variance)
    {
        book->setBookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol, fyMonth);
        book->setBookText(kSetup, setup::kFyYearRow, setup::kFyYearCol, fyYear);
        book->setBookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol, hdMonth);
        book->setBookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol, hdYear);
        book->setBookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol, variance);
    }
    std::vector<std::string> stored() const
    {
        return {book->BookText(kSetup, setup::kFyMonthRow, setup::kFyMonthCol),
                book->BookText(kSetup, setup::kFyYearRow, setup::kFyYearCol),
                book->BookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol),
                book->BookText(kSetup, setup::kHistoryYearRow, setup::kHistoryCol),
                book->BookText(kSetup, setup::kVarianceRow, setup::kVarianceCol)};
    }
    static void choose(QComboBox* fyMonth, const QString& month, QComboBox* fyYear, const QString& year)
    {
        fyMonth->setCurrentText(month);
        fyYear->setCurrentText(year);
    }
};

}

TEST_F(FormOptionsTest, ShowsTheStoredOptionsAndStoresTheChosenOnes)
{
    store("July", "2004", "March", "2003", 1);
    showMonth("May", "2005");
    FormOptions& options = form<FormOptions>();
    EXPECT_EQ(options.windowTitle(), "Options");
    EXPECT_EQ(options.ComboFYMonth->count(), 12);
    EXPECT_EQ(options.ComboFYMonth->itemText(11), "December");
    EXPECT_EQ(options.ComboFYYear->itemText(0), "2000");
    EXPECT_EQ(options.ComboFYYear->itemText(options.ComboFYYear->count() - 1), "2010");
    EXPECT_EQ(options.ComboVariance->itemText(0), "% of target");
    EXPECT_EQ(options.ComboFYMonth->currentText(), "July");
    EXPECT_EQ(options.ComboFYYear->currentText(), "2004");
    EXPECT_EQ(options.ComboHDMonth->currentText(), "March");
    EXPECT_EQ(options.ComboHDYear->currentText(), "2003");
    EXPECT_EQ(options.ComboVariance->currentText(), "Variance");
    EXPECT_TRUE(options.ComboHDMonth->isHidden());
    EXPECT_TRUE(options.ComboHDYear->isHidden());

    // Without opening the history lists, OK stores the history start unchanged; a typed
    // year outside the lists is kept as typed.
    choose(options.ComboFYMonth, "May", options.ComboFYYear, "2005");
    options.ComboVariance->setCurrentIndex(0);
    options.CommandOK->click();
    EXPECT_EQ(stored(), (std::vector<std::string>{"May", "2005", "March", "2003", "0"}));
    EXPECT_FALSE(formSlot<FormOptions>().isLoaded());
    EXPECT_TRUE(ui.messageBoxes().empty());

    // Equal dates pass every check; the history start changes after the warning.
    showMonth("March", "2003");
    FormOptions& again = form<FormOptions>();
    ui.answerMessage(ui::OK);
    again.Picture1->click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Do not change this date if you have already entered any data into the "
                                          "program.\r\n Changing this date will displace any data that you already "
                                          "have entered.");
    EXPECT_EQ(ui.messageBoxes()[0].icon, ui::Information);
    EXPECT_FALSE(again.ComboHDMonth->isHidden());
    choose(again.ComboFYMonth, "March", again.ComboFYYear, "2003");
    again.CommandOK_Click();
    EXPECT_EQ(stored(), (std::vector<std::string>{"March", "2003", "March", "2003", "0"}));
}

TEST_F(FormOptionsTest, RefusedDatesAndCancelStoreNothing)
{
    store("January", "2004", "January", "2004", 0);
    showMonth("June", "2004");
    const auto before = stored();
    FormOptions& options = form<FormOptions>();

    // The financial year one month before the history start.
    choose(options.ComboFYMonth, "December", options.ComboFYYear, "2003");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_EQ(ui.messageBoxes().back().text,
              " The Financial Year start date can not be less than the start date for your historical data");
    EXPECT_EQ(ui.messageBoxes().back().icon, ui::Information);
    EXPECT_EQ(options.ComboFYMonth->currentText(), "January") << "the stored values return";
    EXPECT_EQ(options.ComboFYYear->currentText(), "2004");

    // The current month before the financial-year start.
    choose(options.ComboFYMonth, "July", options.ComboFYYear, "2004");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_EQ(ui.messageBoxes().back().text,
              " The Financial Year start date can not be greater than the current date. The current date is the "
              "active month that is showing in the DATA module. This is currently showing: June-2004. If this is "
              "not the current month, then go to the DATA module, change the month selected in the dropdown box and "
              "the current month will be updated.");

    // A later history start is refused by the first check already.
    options.ComboHDMonth->setCurrentText("August");
    choose(options.ComboFYMonth, "June", options.ComboFYYear, "2004");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith(" The Financial Year start date can not be less than"));
    EXPECT_EQ(options.ComboHDMonth->currentText(), "January");
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(formSlot<FormOptions>().isLoaded());

    // Cancel after changing every list.
    choose(options.ComboFYMonth, "March", options.ComboFYYear, "2004");
    options.ComboVariance->setCurrentIndex(1);
    options.CommandCancel->click();
    EXPECT_FALSE(formSlot<FormOptions>().isLoaded());
    EXPECT_EQ(stored(), before);
}

TEST_F(FormOptionsTest, TextsThatAreNoDateAreRefusedAsTyped)
{
    store("January", "2004", "January", "2004", 0);
    showMonth("June", "2004");
    const auto before = stored();
    FormOptions& options = form<FormOptions>();
    choose(options.ComboFYMonth, "Smarch", options.ComboFYYear, "2004");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_EQ(ui.messageBoxes().back().text, " The Financial Year start date Smarch-2004 is not a month and year. "
                                             "Choose a month and a year from the lists.");
    EXPECT_EQ(options.ComboFYMonth->currentText(), "Smarch") << "kept to be corrected";

    choose(options.ComboFYMonth, "feb", options.ComboFYYear, "04");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith(" The Financial Year start date feb-04 is not"));

    // An empty current month on the data sheet.
    choose(options.ComboFYMonth, "Feb", options.ComboFYYear, "2004");
    showMonth("", "");
    ui.answerMessage(ui::OK);
    options.CommandOK_Click();
    EXPECT_TRUE(ui.messageBoxes().back().text.startsWith(" The current month of the DATA module, -, is not"));
    EXPECT_EQ(stored(), before);

    // Abbreviated and numbered months are dates.
    showMonth("June", "2004");
    options.ComboHDMonth->setCurrentText("1");
    options.CommandOK_Click();
    EXPECT_EQ(stored()[0], "Feb");
    EXPECT_EQ(stored()[2], "1");
}

TEST_F(FormOptionsTest, AStoredVarianceThatIsNoChoiceIsReported)
{
    store("January", "2004", "January", "2004", 5);
    ui.answerMessage(ui::OK);
    FormOptions& options = form<FormOptions>();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].caption, "getoptioninfoErr");
    EXPECT_EQ(ui.messageBoxes()[0].text, "Invalid property value\r\r(Error #380)");
    EXPECT_EQ(options.ComboFYMonth->currentText(), "January") << "the lists read before keep their values";
    options.CommandCancel_Click();
}

TEST_F(FormOptionsTest, BelongsToTheWindowTableAndOpensBelowTheScorecardsTop)
{
    EXPECT_EQ(FormTable[4], &formSlot<FormOptions>());
    FormOptions& options = form<FormOptions>();
    options.Show();
    options.Form_Resize();
    EXPECT_EQ(options.y(), w->geometry().top() + static_cast<int>(0.15 * w->frameGeometry().height()));
    if (const char* shot = std::getenv("KS_OPTIONS_SHOT")) {
        ui.answerMessage(ui::OK);
        options.Picture1_Click();
        options.grab().save(QString::fromLocal8Bit(shot));
    }
    UnloadAllForms();
    EXPECT_FALSE(formSlot<FormOptions>().isLoaded());
}
