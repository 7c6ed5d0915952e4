#include "platform/diagram/diagram_control.h"
#include "platform/diagram/diagram_errors.h"
#include "platform/runtime/events.h"

#include "tests/support/qt_print.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace ks::diagram {
namespace {

class DiagramControlTest : public ::testing::Test {
protected:
    DiagramControlTest()
    {
        diagram.resize(400, 300);
        a = &diagram.AddNode(QRectF(300, 300, 1500, 900), "A");
        b = &diagram.AddNode(QRectF(3000, 2400, 1500, 900), "B");
        ab = &diagram.AddLink(*a, *b, "a to b");
    }

    // The point on screen at twips (x, y), at zoom 100 and no scrolling.
    static QPoint screenAt(double x, double y) { return QPoint(twipsToPixelsX(x), twipsToPixelsY(y)); }

    DiagramControl diagram;
    Node* a = nullptr;
    Node* b = nullptr;
    Link* ab = nullptr;
};

TEST_F(DiagramControlTest, ItemsKeepTheirOrderTagsAndEnds)
{
    ASSERT_EQ(diagram.Nodes(), (QList<Node*>{a, b}));
    ASSERT_EQ(diagram.Links(), (QList<Link*>{ab}));
    EXPECT_EQ(&ab->Org(), a);
    EXPECT_EQ(&ab->Dst(), b);
    a->setTag("Group=x|Level=y");
    EXPECT_EQ(a->Tag(), "Group=x|Level=y");
    EXPECT_EQ(b->Tag(), "");
    EXPECT_EQ(a->Text(), "A");
    EXPECT_EQ(ab->Text(), "a to b");
}

TEST_F(DiagramControlTest, TheSelectionListsFollowEachItemsFlag)
{
    EXPECT_TRUE(diagram.SelectedNodes().isEmpty());
    b->setSelected(true);
    ab->setSelected(true);
    EXPECT_EQ(diagram.SelectedNodes(), (QList<Node*>{b}));
    EXPECT_EQ(diagram.SelectedLinks(), (QList<Link*>{ab}));
    b->setSelected(false);
    EXPECT_TRUE(diagram.SelectedNodes().isEmpty());
}

TEST_F(DiagramControlTest, AClickSelectsTheItemUnderTheMouseAndCtrlAddsToTheSelection)
{
    diagram.show();
    QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, screenAt(1000, 700));
    EXPECT_EQ(diagram.SelectedNodes(), (QList<Node*>{a}));
    QTest::mouseClick(diagram.viewport(), Qt::LeftButton, Qt::ControlModifier, screenAt(3500, 2800));
    EXPECT_EQ(diagram.SelectedNodes(), (QList<Node*>{a, b}));
    // A plain click on the link picks the link alone; on nothing, clears.
    const QPointF middle = (a->Rect().center() + b->Rect().center()) / 2;
    QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, screenAt(middle.x(), middle.y()));
    EXPECT_TRUE(diagram.SelectedNodes().isEmpty());
    EXPECT_EQ(diagram.SelectedLinks(), (QList<Link*>{ab}));
    QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, screenAt(4000, 300));
    EXPECT_TRUE(diagram.SelectedLinks().isEmpty());
    // A hidden node cannot be clicked.
    a->setHidden(true);
    QTest::mouseClick(diagram.viewport(), Qt::LeftButton, {}, screenAt(1000, 700));
    EXPECT_TRUE(diagram.SelectedNodes().isEmpty());
}

TEST_F(DiagramControlTest, TheDiagramsSizeIsItsFurthestNodeEdgesAtNaturalSize)
{
    EXPECT_EQ(diagram.DiagramWidth(), 4500);
    EXPECT_EQ(diagram.DiagramHeight(), 3300);
    diagram.setXZoom(50);
    diagram.setYZoom(200);
    EXPECT_EQ(diagram.DiagramWidth(), 4500);
    b->setHidden(true);   // hidden nodes still belong to the diagram
    EXPECT_EQ(diagram.DiagramHeight(), 3300);
    diagram.Clear();
    EXPECT_EQ(diagram.DiagramWidth(), 0);
    EXPECT_TRUE(diagram.Nodes().isEmpty());
    EXPECT_TRUE(diagram.Links().isEmpty());
}

TEST_F(DiagramControlTest, BadZoomsAlignmentsAndForeignNodesAreRefusedAndChangeNothing)
{
    auto number = [](auto&& call) {
        try {
            call();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { diagram.setXZoom(0); }), kErrBadArgument);
    EXPECT_EQ(number([&] { diagram.setYZoom(10001); }), kErrBadArgument);
    EXPECT_EQ(diagram.xZoom(), 100);
    EXPECT_EQ(diagram.yZoom(), 100);
    EXPECT_EQ(number([&] { a->setAlignment(Qt::AlignTop); }), kErrBadArgument);
    EXPECT_EQ(a->Alignment(), Qt::AlignHCenter);
    DiagramControl other;
    Node& stranger = other.AddNode(QRectF(0, 0, 100, 100));
    EXPECT_EQ(number([&] { diagram.AddLink(*a, stranger); }), kErrBadArgument);
    EXPECT_EQ(diagram.Links().size(), 1);
}

TEST_F(DiagramControlTest, UndoAndRedoWalkBackAndForthThroughChanges)
{
    EXPECT_FALSE(diagram.CanUndo());   // building the diagram is no change
    a->setFillColor(0x0000FF);
    QFont bold = a->Font();
    bold.setBold(true);
    a->setFont(bold);
    a->setAlignment(Qt::AlignRight);
    b->setText("Bee");
    ASSERT_TRUE(diagram.CanUndo());

    diagram.Undo();
    EXPECT_EQ(b->Text(), "B");
    diagram.Undo();
    EXPECT_EQ(a->Alignment(), Qt::AlignHCenter);
    diagram.Undo();
    EXPECT_FALSE(a->Font().bold());
    diagram.Undo();
    EXPECT_EQ(a->FillColor(), 0xFFFFFFu);
    EXPECT_FALSE(diagram.CanUndo());
    diagram.Undo();   // nothing left: no harm

    diagram.Redo();
    diagram.Redo();
    EXPECT_EQ(a->FillColor(), 0x0000FFu);
    EXPECT_TRUE(a->Font().bold());
    // A new change forgets what could be redone.
    a->setText("Ay");
    EXPECT_FALSE(diagram.CanRedo());
    EXPECT_EQ(a->Alignment(), Qt::AlignHCenter);
}

TEST_F(DiagramControlTest, ChangesInsideOneActionUndoAsOneStepAndHidingIsNoChange)
{
    {
        DiagramControl::Action action(diagram);
        for (Node* node : diagram.Nodes())
            node->setFillColor(0x00FF00);
        ab->setText("");
    }
    a->setHidden(true);
    diagram.Undo();
    EXPECT_EQ(a->FillColor(), 0xFFFFFFu);
    EXPECT_EQ(b->FillColor(), 0xFFFFFFu);
    EXPECT_EQ(ab->Text(), "a to b");
    EXPECT_TRUE(a->Hidden());
    diagram.Redo();
    EXPECT_EQ(b->FillColor(), 0x00FF00u);
    EXPECT_EQ(ab->Text(), "");
}

TEST_F(DiagramControlTest, ZoomScalesTheDrawingAndHiddenItemsAreNotDrawn)
{
    a->setFillColor(0x0000FF);   // red
    diagram.show();
    auto redAt = [&](double x, double y) {
        const QImage shot = diagram.viewport()->grab().toImage();
        const QPoint p = screenAt(x, y);
        return shot.valid(p) && shot.pixelColor(p) == QColor(Qt::red);
    };
    EXPECT_TRUE(redAt(1000, 700));
    EXPECT_FALSE(redAt(2000, 1400));
    diagram.setXZoom(200);
    diagram.setYZoom(200);
    EXPECT_TRUE(redAt(2000, 1400));   // A's centre at twice the size
    // The scrolling area is the diagram at its zoom.
    const int widthPixels = twipsToPixelsX(2 * diagram.DiagramWidth());
    EXPECT_NEAR(diagram.horizontalScrollBar()->maximum(), widthPixels - diagram.viewport()->width(), 2);
    a->setHidden(true);
    EXPECT_FALSE(redAt(2000, 1400));
}

TEST_F(DiagramControlTest, AnEnormousNodeStillGivesAScrollableDiagram)
{
    diagram.AddNode(QRectF(0, 0, 1e300, 1e12));
    diagram.setXZoom(10000);
    diagram.show();
    EXPECT_GT(diagram.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(diagram.verticalScrollBar()->maximum(), 0);
    diagram.horizontalScrollBar()->setValue(diagram.horizontalScrollBar()->maximum());
    EXPECT_FALSE(diagram.viewport()->grab().isNull());
}

TEST_F(DiagramControlTest, ZOrderPutsADiagramInFrontOfOrBehindItsSiblings)
{
    QWidget parent;
    auto* first = new DiagramControl(&parent);
    auto* second = new DiagramControl(&parent);
    first->ZOrder(0);
    EXPECT_EQ(parent.children().last(), first);
    first->ZOrder(1);
    EXPECT_EQ(parent.children().first(), first);
    EXPECT_EQ(parent.children().last(), second);
}

}
}
