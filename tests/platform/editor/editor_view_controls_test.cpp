// Controls in the text as the add-on makes them, shown by the window layer's own widgets:
// clicks, keys and picks reach the control as its messages and its notifications reach
// the add-on; what the add-on sets by messages shows as soon as events run, painted or not.
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "platform/win/window_handle.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace ks::editor;
using ks::editor::view::EditorView;

namespace {

struct Notice {
    unsigned id, code;
    HWND control;
};
std::vector<Notice> notices;
LRESULT addonEvents(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        notices.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return 0;
}

std::vector<WPARAM> subclassedChars;
WNDPROC editProc = nullptr;
LRESULT watchChars(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        subclassedChars.push_back(wParam);
    return CallWindowProc(editProc, w, message, wParam, lParam);
}

class EditorViewControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = EditorView::create(nullptr);
        h = view->handle();
        view->resize(600, 400);
        findEditor(h)->doc.clear();
        notices.clear();
        EditorSetAddonCallback(h, addonEvents);
    }
    void TearDown() override { delete view; }

    // A control of a class and style in its own line of text, 150 x 40 pixels; returns its window.
    HWND control(const char* cls, unsigned style, int id, int twipsHigh = 600)
    {
        int object = EditorInsertControl(h, cls, style, 2250, twipsHigh, 1, id, 0);
        EXPECT_GT(object, 0);
        EditorAppendText(h, "field ", 0, 0, 0, -1, 0);
        EditorAppendText(h, "\x18", object, 0, 0, -1, 0);
        EditorAppendText(h, "\x15", 0, 0, 0, -1, 0);
        return EditorGetObjectControl(h, object);
    }
    template <class W>
    W* shown()
    {
        view->show();
        QApplication::processEvents();   // the layout the new text asked for places the controls
        return view->viewport()->findChild<W*>();
    }

    ks::test::ScriptedUi ui;
    EditorView* view = nullptr;
    HWND h = nullptr;
};

TEST_F(EditorViewControlsTest, ACheckBoxInTheTextTogglesOnAClickAndTellsTheAddOn)
{
    HWND box = control("Button", BS_AUTOCHECKBOX, 31);
    SendMessage(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("agree"));
    auto* widget = shown<QCheckBox>();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text(), "agree");
    EXPECT_TRUE(view->viewport()->rect().contains(widget->mapTo(view->viewport(), QPoint(0, 0))));
    const QPoint onTheBox(6, widget->height() / 2);
    QTest::mouseClick(widget, Qt::LeftButton, {}, onTheBox);
    EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_TRUE(widget->isChecked());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].id, 31u);
    EXPECT_EQ(notices[0].code, BN_CLICKED);
    EXPECT_EQ(notices[0].control, box);
    // The add-on unchecks it by message; the widget follows.
    SendMessage(box, BM_SETCHECK, BST_UNCHECKED, 0);
    QApplication::processEvents();
    EXPECT_FALSE(widget->isChecked());
    // A disabled control's widget takes no clicks.
    EnableWindow(box, false);
    QApplication::processEvents();
    EXPECT_FALSE(widget->isEnabled());
    QTest::mouseClick(widget, Qt::LeftButton, {}, onTheBox);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
}

// Nothing waits for a paint: a window never painted (hidden) has its controls' widgets made
// and placed when the text arrives, and they follow what the add-on sets by message.
TEST_F(EditorViewControlsTest, WidgetsAreMadeAndFollowTheirControlsWithoutAPaint)
{
    struct CountPaints : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    view->viewport()->installEventFilter(&counter);
    HWND box = control("Button", BS_AUTOCHECKBOX, 31);
    HWND list = control("ListBox", LBS_NOTIFY, 50, 1200);
    QApplication::processEvents();
    auto* check = view->viewport()->findChild<QCheckBox*>();
    auto* entries = view->viewport()->findChild<QListWidget*>();
    ASSERT_NE(check, nullptr) << "made when laid out, not when painted";
    ASSERT_NE(entries, nullptr);
    SendMessage(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("agree"));
    SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
    for (const char* e : {"red", "green", "blue"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    SendMessage(list, LB_SETCURSEL, 1, 0);
    EnableWindow(list, false);
    QApplication::processEvents();
    EXPECT_EQ(check->text(), "agree");
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(entries->count(), 3);
    EXPECT_EQ(entries->currentRow(), 1);
    EXPECT_FALSE(entries->isEnabled());
    EXPECT_EQ(counter.paints, 0) << "the view was never shown";
}

TEST_F(EditorViewControlsTest, ARadioButtonClickedUnchecksTheOtherOfItsGroupOnScreen)
{
    HWND first = control("Button", BS_AUTORADIOBUTTON | WS_GROUP, 21);
    HWND second = control("Button", BS_AUTORADIOBUTTON, 22);
    SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
    view->show();
    QApplication::processEvents();
    auto radios = view->viewport()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    std::sort(radios.begin(), radios.end(), [](QRadioButton* a, QRadioButton* b) {
        return a->mapToGlobal(QPoint()).y() < b->mapToGlobal(QPoint()).y();
    });
    EXPECT_TRUE(radios[0]->isChecked());
    QTest::mouseClick(radios[1], Qt::LeftButton, {}, QPoint(6, radios[1]->height() / 2));
    EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
    QApplication::processEvents();   // the other button's widget follows its control
    EXPECT_FALSE(radios[0]->isChecked());
    EXPECT_TRUE(radios[1]->isChecked());
}

TEST_F(EditorViewControlsTest, KeysInAnEditGoThroughTheControlItsLimitAndTheAddOnsSubclass)
{
    HWND edit = control("Edit", ES_AUTOHSCROLL | ES_PASSWORD, 40);
    SendMessage(edit, EM_LIMITTEXT, 5, 0);
    editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchChars)));
    subclassedChars.clear();
    auto* line = shown<QLineEdit>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->echoMode(), QLineEdit::Password);
    QApplication::setActiveWindow(view);   // offscreen windows are not activated by the system
    line->setFocus();
    EXPECT_EQ(GetFocus(), edit) << "the control has the keyboard when its widget has";
    // The shift state the add-on asks for follows the keyboard.
    QTest::keyPress(line, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    QTest::keyRelease(line, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    QTest::keyClicks(line, "secret");   // one character past the limit
    EXPECT_EQ(ks::win::findWindow(edit)->text(), "secre");
    EXPECT_EQ(line->text(), "secre");
    EXPECT_EQ(subclassedChars.size(), 6u) << "every key passes the add-on's procedure";
    EXPECT_EQ(notices.back().code, EN_MAXTEXT);
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Home);
    QTest::keyClick(line, Qt::Key_Delete);
    EXPECT_EQ(ks::win::findWindow(edit)->text(), "ecr");
    EXPECT_EQ(line->text(), "ecr");
    EXPECT_EQ(notices.back().code, EN_CHANGE);
    EXPECT_EQ(notices.back().id, 40u);
    // A character the control's text cannot hold is refused with a beep, not changed into
    // another; one of Windows-1252 is typed as its byte.
    QKeyEvent arrow(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x2192)));
    QApplication::sendEvent(line, &arrow);
    EXPECT_EQ(ks::win::findWindow(edit)->text(), "ecr");
    EXPECT_EQ(ui.beeps(), 1);
    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x20AC)));
    QApplication::sendEvent(line, &euro);
    EXPECT_EQ(ks::win::findWindow(edit)->text(), "\x80" "ecr");
    EXPECT_EQ(line->text(), QString(QChar(0x20AC)) + "ecr");
}

TEST_F(EditorViewControlsTest, AMultiLineEditKeepsItsLineEndsAsTheControlDoes)
{
    HWND edit = control("Edit", ES_MULTILINE, 41, 1200);
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one\r\ntwo"));
    auto* area = shown<QPlainTextEdit>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->toPlainText(), "one\ntwo");
    QTextCursor end = area->textCursor();
    end.movePosition(QTextCursor::End);
    area->setTextCursor(end);
    area->setFocus();
    QTest::keyClick(area, Qt::Key_Return);
    QTest::keyClicks(area, "3");
    EXPECT_EQ(ks::win::findWindow(edit)->text(), "one\r\ntwo\r\n3");
    EXPECT_EQ(area->toPlainText(), "one\ntwo\n3");
}

TEST_F(EditorViewControlsTest, ListsShowEntriesAddedByMessageAndTellThePicks)
{
    HWND list = control("ListBox", LBS_NOTIFY, 50, 1200);
    for (const char* e : {"red", "green", "blue"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    SendMessage(list, LB_SETCURSEL, 2, 0);
    auto* widget = shown<QListWidget>();
    ASSERT_NE(widget, nullptr);
    ASSERT_EQ(widget->count(), 3);
    EXPECT_EQ(widget->currentRow(), 2);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(widget->item(1)).center());
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().code, LBN_SELCHANGE);
    QPoint first = widget->visualItemRect(widget->item(0)).center();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, first, 1000);   // a double click: a click, then the second
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(notices.back().code, LBN_DBLCLK);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(EditorViewControlsTest, AComboShowsItsEntriesAndTellsTheChoice)
{
    HWND combo = control("ComboBox", 0xA00043, 60);
    for (const char* e : {"small", "large"})
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    auto* widget = shown<QComboBox>();
    ASSERT_NE(widget, nullptr);
    ASSERT_EQ(widget->count(), 2);
    EXPECT_EQ(widget->currentText(), "small");
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Down);   // a pick from the keyboard
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().code, CBN_SELCHANGE);
    EXPECT_EQ(notices.back().id, 60u);
}

}
