// Tools > Graph Options: the buttons stand for the chart types the report screen stores
// in the graph-type cell; OK writes the ticked one, Cancel nothing.
#include "edit_commands_fixture.h"

#include "main/main_mod.h"
#include "scorecard/window/form_graph_options.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace ks;
using namespace ks::scorecard::layout;

namespace {

struct GraphOptionsTest : test::ScorecardCommandTest {
    double graphType() const { return book->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol); }
    void storeGraphType(double type) { book->setBookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol, type); }
    // The caption of the ticked button, "" for none.
    static QString ticked(const FormGraphOptions& window)
    {
        for (QRadioButton* button : window.Option1)
            if (button->isChecked())
                return button->text();
        return {};
    }
};

}

TEST_F(GraphOptionsTest, TicksTheStoredChartTypeAndStoresTheChosenOne)
{
    const std::pair<double, QString> shown[] = {
        {3, "Line Chart"}, {1, "Bar Chart"}, {5, "Area Chart"}, {7, "Step Chart"}, {9, "Combination"}, {2.6, "Line Chart"},
        {0, ""}, {42, ""}, {-1, ""}, {1e300, ""}};
    for (const auto& [type, caption] : shown) {
        storeGraphType(type);
        FormGraphOptions& window = form<FormGraphOptions>();
        EXPECT_EQ(ticked(window), caption) << "graph type " << type;
        window.CommandCancel_Click();
        EXPECT_FALSE(formSlot<FormGraphOptions>().isLoaded());
    }

    storeGraphType(3);
    FormGraphOptions& window = form<FormGraphOptions>();
    EXPECT_EQ(window.windowTitle(), "Graph Options");
    EXPECT_EQ(window.Label2->text(), "Report Form");
    EXPECT_EQ(window.Option1[5]->text(), "Polar Chart");
    EXPECT_FALSE(window.Option1[5]->isEnabled()) << "the charts draw no polar chart";
    window.Option1[3]->click();
    EXPECT_EQ(window.ChosenGraphOption, 3);
    window.CommandOK->click();
    EXPECT_EQ(graphType(), 7);
    EXPECT_FALSE(formSlot<FormGraphOptions>().isLoaded());

    // Restore Defaults is the report's default graph; the next opening shows it as the bar.
    form<FormGraphOptions>().Option1[6]->click();
    form<FormGraphOptions>().CommandOK_Click();
    EXPECT_EQ(graphType(), 1);
    EXPECT_EQ(ticked(form<FormGraphOptions>()), "Bar Chart");
    form<FormGraphOptions>().CommandCancel_Click();
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(GraphOptionsTest, CancelAndAnUntickedCustomTypeLeaveTheCell)
{
    storeGraphType(5);
    FormGraphOptions& window = form<FormGraphOptions>();
    window.Option1[0]->click();
    window.Option1[2]->click();
    window.CommandCancel->click();
    EXPECT_EQ(graphType(), 5);

    // A type from the chart's own editing has no button; OK keeps it.
    storeGraphType(42);
    form<FormGraphOptions>().CommandOK_Click();
    EXPECT_EQ(graphType(), 42);
}

TEST_F(GraphOptionsTest, BelongsToTheWindowTableAndOpensBelowTheScorecardsTop)
{
    EXPECT_EQ(FormTable[6], &formSlot<FormGraphOptions>());
    FormGraphOptions& window = form<FormGraphOptions>();
    window.Show();
    const int left = window.x();
    window.Form_Resize();
    EXPECT_EQ(window.y(), w->geometry().top() + static_cast<int>(0.15 * w->height()));
    EXPECT_EQ(window.x(), left);
    if (const char* shot = std::getenv("KS_GRAPH_OPTIONS_SHOT"))
        window.grab().save(QString::fromLocal8Bit(shot));
    UnloadAllForms();
    EXPECT_FALSE(formSlot<FormGraphOptions>().isLoaded());
}
