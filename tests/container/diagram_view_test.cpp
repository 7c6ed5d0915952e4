// The main window's diagram view: node tags, colouring by level, showing by
// the selected groups and levels, tabs and the diagram toolbar.
#include "container/diagram_tags.h"
#include "container/document_state.h"
#include "container/tab_strip.h"
#include "platform/diagram/diagram_control.h"
#include "tests/container/program_fixture.h"
#include "tests/container/raised.h"

#include <QScrollBar>
#include <QTabBar>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::container;
using diagram::DiagramControl;
using diagram::Link;
using diagram::Node;

namespace {

TEST(NodeTags, AFieldIsFoundByTheStartOfItsNameAndTheLastMatchWins)
{
    DiagramControl diagram;
    Node& node = diagram.AddNode(QRectF(0, 0, 100, 100));
    node.setTag("Group=a,b|Level=c");
    EXPECT_EQ(GetTaggedValue(&node, "level"), "c");
    EXPECT_EQ(GetTaggedValue(&node, "Gr"), "a,b");
    EXPECT_EQ(GetTaggedValue(&node, "Size"), "");
    node.setTag("Level=x|Level=y");
    EXPECT_EQ(GetTaggedValue(&node, "Level"), "y");
    node.setTag("Group=a=b|Flag");
    EXPECT_EQ(GetTaggedValue(&node, "Group"), "a=b") << "everything after the first =";
    EXPECT_EQ(GetTaggedValue(&node, "FLAG"), "Flag") << "a field without = is returned whole";
    node.setTag("");
    EXPECT_EQ(GetTaggedValue(&node, "Group"), "");
    EXPECT_EQ(test::errorOf([] { GetTaggedValue(nullptr, "Group"); }), 91);
}

TEST(NodeTags, AKeyCountsOnlyWhenFoundAfterTheFirstCharacter)
{
    EXPECT_TRUE(nodeInGroup("k1,,k2", ",k2,"));
    EXPECT_FALSE(nodeInGroup("k1", "k1,k2")) << "found at the first character";
    EXPECT_TRUE(nodeInGroup("K1", ",k1,k2,")) << "any letter case";
    EXPECT_FALSE(nodeInGroup("", ",k1,"));
    EXPECT_FALSE(nodeInGroup(",,", ",,"));
}

// A document with three groups and two levels, and a diagram whose nodes
// carry their keys in their tags.
class DiagramView : public test::ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        w = &mainWindow();
        cGroups& groups = w->clsSettings->Groups();
        sales = groups.Create("Sales", false)->Key;
        service = groups.Create("Service", false)->Key;
        support = groups.Create("Support", false)->Key;
        cLevels& levels = w->clsSettings->Levels();
        strategic = levels.Create("Strategic", false, kRed)->Key;
        operational = levels.Create("Operational", false, kGreen)->Key;
    }

    Node& node(DiagramControl& diagram, const QString& text, const QString& tag)
    {
        const double left = 2000.0 * diagram.Nodes().size();
        Node& n = diagram.AddNode(QRectF(left, 500, 1500, 800), text);
        n.setTag(tag);
        return n;
    }
    static QString tag(const QString& groups, const QString& levels)
    {
        return "Owner=someone|Group=" + groups + "|Level=" + levels;
    }
    void select(const QStringList& groupNames, const QStringList& levelNames)
    {
        for (const auto& g : w->clsSettings->Groups())
            g->Selected = groupNames.contains(g->GroupName);
        for (const auto& l : w->clsSettings->Levels())
            l->Selected = levelNames.contains(l->LevelName);
    }

    static constexpr qint32 kRed = 0x0000FF, kGreen = 0x00FF00;
    frmMain* w = nullptr;
    QString sales, service, support, strategic, operational;
};

TEST_F(DiagramView, EveryTabHasItsOwnHiddenDiagramOverTheNotesPane)
{
    EXPECT_EQ(w->diagramCount(), 1);
    w->tabStrip().setTabCount(3);
    EXPECT_EQ(w->diagramCount(), 3);
    EXPECT_NE(&w->AddFlow1(0), &w->AddFlow1(2));
    for (int t = 0; t < 3; ++t) {
        EXPECT_FALSE(w->AddFlow1(t).isVisible());
        EXPECT_EQ(w->AddFlow1(t).parentWidget(), w->picRHS);
    }
    EXPECT_EQ(test::errorOf([&] { w->AddFlow1(3); }), 340);
    w->tabStrip().setTabCount(2);
    EXPECT_EQ(w->diagramCount(), 2);
    w->Show();
    w->DoResize();
    EXPECT_EQ(w->AddFlow1(1).geometry(), w->Toc1->geometry());
}

TEST_F(DiagramView, NodesAreColouredByTheirLevel)
{
    DiagramControl& diagram = w->AddFlow1(0);
    Node& plan = node(diagram, "Plan", tag(sales, strategic));
    Node& run = node(diagram, "Run", tag(service + "," + support, operational));
    Node& loose = node(diagram, "Loose", "Group=" + sales);
    Node& stranger = node(diagram, "Stranger", tag(sales, "{00000000-0000-0000-0000-000000000000}"));
    Node& both = node(diagram, "Both", tag(sales, strategic + "," + operational));
    w->DoFixColors();
    EXPECT_EQ(plan.FillColor(), quint32(kRed));
    EXPECT_EQ(run.FillColor(), quint32(kGreen));
    for (Node* uncoloured : {&loose, &stranger, &both})
        EXPECT_EQ(uncoloured->FillColor(), 0xFFFFFFu) << uncoloured->Text().toStdString();

    // A new colour of the level reaches its nodes at the next colouring.
    w->clsSettings->Levels().Item(strategic)->color = 0x123456;
    w->DoFixColors();
    EXPECT_EQ(plan.FillColor(), 0x123456u);
}

TEST_F(DiagramView, OnlyTheSelectedTabsDiagramIsColoured)
{
    w->tabStrip().setTabCount(2);
    Node& first = node(w->AddFlow1(0), "First", tag(sales, strategic));
    Node& second = node(w->AddFlow1(1), "Second", tag(sales, strategic));
    w->tabStrip().setTheTab(1);
    w->DoFixColors();
    EXPECT_EQ(first.FillColor(), 0xFFFFFFu);
    EXPECT_EQ(second.FillColor(), quint32(kRed));
}

TEST_F(DiagramView, TheSelectedGroupsAndLevelsDecideWhichNodesAndLinksShow)
{
    w->tabStrip().setTabCount(2);
    DiagramControl& map = w->AddFlow1(0);
    Node& salesPlan = node(map, "Sales plan", tag(sales, strategic));
    Node& serviceRun = node(map, "Service run", tag(service, operational));
    Node& shared = node(map, "Shared", tag(support + "," + sales, operational));
    Node& untagged = node(map, "Untagged", "Owner=nobody");
    Link& planToRun = map.AddLink(salesPlan, serviceRun);
    Link& planToShared = map.AddLink(salesPlan, shared);
    Node& other = node(w->AddFlow1(1), "Other tab", tag(support, strategic));

    // Sales is the first group and Strategic the first level: both count.
    select({"Sales"}, {"Strategic", "Operational"});
    w->ssDBGroups_CloseUp();
    EXPECT_FALSE(salesPlan.Hidden());
    EXPECT_TRUE(serviceRun.Hidden());
    EXPECT_FALSE(shared.Hidden()) << "one selected group of several is enough";
    EXPECT_FALSE(untagged.Hidden());
    EXPECT_TRUE(planToRun.Hidden());
    EXPECT_FALSE(planToShared.Hidden());
    EXPECT_TRUE(other.Hidden()) << "every tab's diagram is filtered";

    select({"Service", "Support"}, {"Operational"});
    untagged.setHidden(true);
    w->ssDBGroups_CloseUp();
    EXPECT_TRUE(salesPlan.Hidden());
    EXPECT_FALSE(serviceRun.Hidden());
    EXPECT_FALSE(shared.Hidden());
    EXPECT_TRUE(untagged.Hidden()) << "a node without groups keeps its state";
    EXPECT_TRUE(other.Hidden()) << "Support is selected but Strategic is not";
    EXPECT_TRUE(planToRun.Hidden());
    EXPECT_TRUE(planToShared.Hidden());

    select({}, {});
    w->ssDBGroups_CloseUp();
    for (Node* n : {&salesPlan, &serviceRun, &shared})
        EXPECT_TRUE(n->Hidden());
    EXPECT_EQ(ui.hourglassChanges(), (std::vector<bool>{true, false, true, false, true, false}));
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(DiagramView, ClickingATabBringsItsDiagramToTheFront)
{
    w->tabStrip().setTabCount(3);
    w->Show();
    w->tabStrip().setTheTab(2);
    w->SSTab_Click();
    EXPECT_TRUE(w->AddFlow1(2).isVisible());
    EXPECT_FALSE(w->AddFlow1(0).isVisible());
    EXPECT_EQ(w->picRHS->children().last(), &w->AddFlow1(2));
    w->tabStrip().setTheTab(0);
    w->ClickTab();
    EXPECT_TRUE(w->AddFlow1(0).isVisible());
    EXPECT_EQ(w->picRHS->children().last(), &w->AddFlow1(0));
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(DiagramView, ATabStripWithoutTabsIsReportedByTheHandler)
{
    w->tabStrip().setTabCount(0);
    ui.answerMessage(ui::OK);
    w->SSTab_Click();
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].caption, "Error in frmMain: Sub SSTab_Click");
    EXPECT_TRUE(ui.messageBoxes()[0].text.endsWith("(Error #91)"));
    EXPECT_EQ(test::raised([&] { w->DoFixColors(); }).source(), "\r\nDoFixColors");
}

TEST_F(DiagramView, StyleButtonsInvertTheFontOfTheSelectedItemsAndUndoAsOneStep)
{
    DiagramControl& diagram = w->AddFlow1(0);
    Node& a = node(diagram, "A", "");
    Node& b = node(diagram, "B", "");
    Node& c = node(diagram, "C", "");
    Link& ab = diagram.AddLink(a, b);
    QFont italic = b.Font();
    italic.setItalic(true);
    b.setFont(italic);
    a.setSelected(true);
    b.setSelected(true);
    ab.setSelected(true);

    w->tlbMain_ButtonClick("BOLD");
    EXPECT_TRUE(a.Font().bold());
    EXPECT_TRUE(b.Font().bold());
    EXPECT_TRUE(ab.Font().bold());
    EXPECT_FALSE(c.Font().bold()) << "not selected";
    w->tlbMain_ButtonClick("ITALIC");
    EXPECT_TRUE(a.Font().italic());
    EXPECT_FALSE(b.Font().italic()) << "inverted, not set";
    w->tlbMain_ButtonClick("ULINE");
    EXPECT_TRUE(ab.Font().underline());

    w->tlbMain_ButtonClick("RIGHT");
    EXPECT_EQ(a.Alignment(), Qt::AlignRight);
    EXPECT_EQ(c.Alignment(), Qt::AlignHCenter);
    w->tlbMain_ButtonClick("LEFT");
    EXPECT_EQ(b.Alignment(), Qt::AlignLeft);

    w->tlbMain_ButtonClick("UNDO");
    EXPECT_EQ(a.Alignment(), Qt::AlignRight);
    EXPECT_EQ(b.Alignment(), Qt::AlignRight);
    w->tlbMain_ButtonClick("UNDO");
    w->tlbMain_ButtonClick("UNDO");
    EXPECT_FALSE(ab.Font().underline());
    EXPECT_EQ(a.Alignment(), Qt::AlignHCenter);
    w->tlbMain_ButtonClick("REDO");
    EXPECT_TRUE(ab.Font().underline());
    EXPECT_TRUE(a.Font().underline());
    w->tlbMain_ButtonClick("CENTER");
    EXPECT_EQ(a.Alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(DiagramView, CommandButtonsRunTheMenuStepAndUnknownKeysAreNamed)
{
    for (const char* key : {"OPEN", "SAVE", "CUT", "COPY", "PASTE", "PRINT"})
        w->tlbMain_ButtonClick(key);
    EXPECT_EQ(ui.hourglassChanges().size(), 12u) << "the menu step shows the hourglass once per button";
    w->tlbMain_ButtonClick("NEW");
    EXPECT_TRUE(ui.messageBoxes().empty());
    ui.answerMessage(ui::OK);
    w->tlbMain_ButtonClick("ZOOM");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Unknow Key ZOOM");
    EXPECT_EQ(ui.messageBoxes()[0].buttons, ui::OKOnly);
}

TEST_F(DiagramView, TheSliceMethodsLeaveTheDocumentAlone)
{
    node(w->AddFlow1(0), "A", tag(sales, strategic));
    w->DoInsertSlice();
    w->DoDeleteSlice();
    w->DoEditSlices();
    EXPECT_EQ(w->AddFlow1(0).Nodes().size(), 1);
    EXPECT_FALSE(w->clsSettings->Dirty());
    EXPECT_TRUE(ui.records().empty());
}

}

namespace {

// The picture in the README: KS_DIAGRAM_SHOT=<png> names the file to write.
TEST_F(DiagramView, ShotOfTheSecondTabColouredAndFiltered)
{
    w->tabStrip().setTabCount(2);
    w->tabStrip().TabStrip()->setTabText(1, "Map 2");
    DiagramControl& map = w->AddFlow1(1);
    auto box = [&](double x, double y, const QString& text, const QString& tagText) -> Node& {
        Node& n = map.AddNode(QRectF(x, y, 2200, 900), text);
        n.setTag(tagText);
        return n;
    };
    Node& goals = box(600, 600, "Yearly goals", tag(sales + "," + service, strategic));
    Node& plan = box(5000, 600, "Sales plan", tag(sales, strategic));
    Node& calls = box(3800, 4200, "Customer calls", tag(sales, operational));
    Node& desk = box(7000, 4200, "Help desk", tag(support, operational));
    Node& tickets = box(600, 4200, "Ticket review", tag(service, operational));
    map.AddLink(goals, plan, "sets");
    map.AddLink(plan, calls);
    map.AddLink(goals, tickets);
    map.AddLink(calls, desk);
    w->tabStrip().setTheTab(1);
    w->DoFixColors();
    select({"Sales", "Service"}, {"Strategic", "Operational"});
    w->ssDBGroups_CloseUp();
    plan.setSelected(true);
    w->tlbMain_ButtonClick("BOLD");
    w->resize(1000, 620);
    w->Show();
    w->DoResize();
    w->SSTab_Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(desk.Hidden()) << "Support is not selected";
    EXPECT_TRUE(map.horizontalScrollBar()->isVisible()) << "the map is wider than the pane";
    EXPECT_EQ(w->picRHS->children().last(), &map);
    if (const char* shot = std::getenv("KS_DIAGRAM_SHOT")) {
        EXPECT_TRUE(w->grab().save(shot));
    }
}

}
