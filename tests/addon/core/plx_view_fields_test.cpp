// A page's form fields on screen: Tab and Shift+Tab in a field's widget walk the page's
// fields in their order, past hidden ones, and the caret goes along.
#include "read_fixture.h"

#include "addon/core/field_control.h"
#include "platform/editor/view/editor_view.h"
#include "platform/win/window_handle.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using ks::editor::view::EditorView;
using namespace ks;

namespace {

class PlxViewFieldsTest : public test::PlxReadTest {
protected:
    HWND control(int field) { return addon::FieldControl(ctx(), ctx().fields[field]); }
    int caretPos()
    {
        VekInfo in = info(hWnd);
        return EditorLineColToPos(hWnd, in.caretLine, in.caretColumn);
    }
};

TEST_F(PlxViewFieldsTest, TabAndShiftTabInAFieldsWidgetMoveToTheNeighbouringFields)
{
    EditorView view(hWnd);
    view.resize(640, 300);
    view.show();
    QApplication::setActiveWindow(&view);   // offscreen windows are not activated by the system
    ASSERT_EQ(read("<form>Name <input name=a><input type=hidden name=h> gift <input type=checkbox name=c>"
                   " note <input name=b></form>"),
              1);
    view.grab();   // lays the document out and makes the fields' widgets
    auto edits = view.viewport()->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    QLineEdit* first = nullptr;
    for (QLineEdit* e : edits) {
        e->setFocus();
        if (GetFocus() == control(0))
            first = e;
    }
    ASSERT_NE(first, nullptr);
    first->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(GetFocus(), control(2)) << "past the hidden field to the check box";
    EXPECT_NE(qobject_cast<QCheckBox*>(QApplication::focusWidget()), nullptr) << "its widget has the keyboard";
    EXPECT_EQ(caretPos(), EditorFindControlPos(hWnd, ctx().fields[2].controlId));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(GetFocus(), control(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(GetFocus(), control(0)) << "from the last field round to the first";
    EXPECT_EQ(QApplication::focusWidget(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(GetFocus(), control(3)) << "Shift+Tab from the first goes to the last";
    EXPECT_TRUE(first->text().isEmpty()) << "no Tab character is typed";
}

}
