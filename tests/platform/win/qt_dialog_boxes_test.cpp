// Dialog boxes on screen: widgets at their places, the user's input reaching the
// procedure, and the widgets following what the procedure sets.
#include "platform/win/qt_dialog_boxes.h"
#include "platform/win/dialog_box.h"
#include "tests/support/dialog_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace ks::win;

namespace {

constexpr int kText = 201, kCopy = 202, kBold = 203, kLeft = 204, kRight = 205, kList = 206;

struct Answers {
    std::string text;
    bool bold = false;
    bool right = false;
    LRESULT picked = -1;
};

LRESULT screenProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        SetDlgItemText(dialog, kText, "start");
        CheckRadioButton(dialog, kLeft, kRight, kLeft);
        for (const char* entry : {"one", "two"})
            SendDlgItemMessage(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        EnableWindow(GetDlgItem(dialog, kBold), false);
        return 1;
    }
    auto* a = reinterpret_cast<Answers*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (message != WM_COMMAND)
        return 0;
    char text[64];
    switch (LOWORD(wParam)) {
    case kText:
        GetDlgItemText(dialog, kText, text, sizeof text);
        EnableWindow(GetDlgItem(dialog, kBold), std::string(text) != "start");
        break;
    case kCopy: SetDlgItemText(dialog, kText, "\x93" "copied\x94 \x85"); break;
    case kList:
        if (HIWORD(wParam) == LBN_DBLCLK)
            EndDialog(dialog, 10 + SendDlgItemMessage(dialog, kList, LB_GETCURSEL, 0, 0));
        break;
    case IDOK:
        GetDlgItemText(dialog, kText, text, sizeof text);
        if (!*text)
            break;
        a->text = text;
        a->bold = IsDlgButtonChecked(dialog, kBold);
        a->right = IsDlgButtonChecked(dialog, kRight);
        EndDialog(dialog, 1);
        break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    }
    return 1;
}

struct QtDialogBoxTest : ::testing::Test {
    QtDialogBoxTest()
    {
        registerDialogTemplate({"Screen", "Screen Test", 200, 110,
                                {{ControlKind::Edit, kText, "", 8, 8, 100, 12},
                                 {ControlKind::PushButton, kCopy, "Copy", 112, 8, 40, 14},
                                 {ControlKind::CheckBox, kBold, "Bold", 8, 26, 60, 10},
                                 {ControlKind::GroupBox, -1, "Side", 8, 40, 100, 26},
                                 {ControlKind::RadioButton, kLeft, "Left", 14, 50, 40, 10, true},
                                 {ControlKind::RadioButton, kRight, "Right", 56, 50, 40, 10},
                                 {ControlKind::ListBox, kList, "", 112, 26, 80, 40, true},
                                 {ControlKind::DefaultButton, IDOK, "OK", 40, 90, 50, 14},
                                 {ControlKind::PushButton, IDCANCEL, "Cancel", 100, 90, 50, 14}}});
        useQtDialogBoxes();
    }
    ~QtDialogBoxTest() override { setDialogRunner(nullptr); }

    // Runs the dialog while steps act on the open one, as a user would.
    LRESULT show(std::function<void(QWidget*)> steps)
    {
        QTimer::singleShot(0, [steps] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            steps(dialog);
        });
        return DialogBoxParam("Screen", nullptr, screenProc, reinterpret_cast<LPARAM>(&answers));
    }
    template <class W>
    static W* widget(QWidget* dialog, const QString& text = QString())
    {
        for (W* w : dialog->findChildren<W*>())
            if (text.isEmpty() || w->property("text").toString() == text)
                return w;
        return nullptr;
    }
    ks::test::DialogControls controls;
    Answers answers;
};

}

TEST_F(QtDialogBoxTest, TypingAndClicksReachTheProcedureAndOkEndsIt)
{
    LRESULT result = show([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Screen Test");
        auto* edit = widget<QLineEdit>(dialog);
        EXPECT_EQ(edit->text(), "start");
        auto* bold = widget<QCheckBox>(dialog, "Bold");
        EXPECT_FALSE(bold->isEnabled());
        EXPECT_TRUE(widget<QRadioButton>(dialog, "Left")->isChecked());
        EXPECT_EQ(widget<QListWidget>(dialog)->count(), 2);
        EXPECT_GT(edit->x(), 0);
        EXPECT_GT(widget<QPushButton>(dialog, "OK")->y(), widget<QCheckBox>(dialog, "Bold")->y());
        edit->selectAll();
        QTest::keyClicks(edit, "typed ");
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(QChar(0x20AC)), Qt::NoModifier);
        EXPECT_TRUE(bold->isEnabled()) << "the procedure enabled it on the edit's change";
        bold->click();
        widget<QRadioButton>(dialog, "Right")->click();
        EXPECT_FALSE(widget<QRadioButton>(dialog, "Left")->isChecked()) << "one of the group";
        widget<QPushButton>(dialog, "OK")->click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(answers.text, "typed \x80");
    EXPECT_TRUE(answers.bold);
    EXPECT_TRUE(answers.right);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QtDialogBoxTest, WhatTheProcedureSetsShowsAndARefusedOkKeepsTheDialog)
{
    LRESULT result = show([](QWidget* dialog) {
        auto* edit = widget<QLineEdit>(dialog);
        widget<QPushButton>(dialog, "Copy")->click();
        EXPECT_EQ(edit->text(), QString::fromUtf8("\u201Ccopied\u201D \u2026")) << "Windows-1252, not Latin-1";
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        widget<QPushButton>(dialog, "OK")->click();
        EXPECT_EQ(QApplication::activeModalWidget(), dialog) << "an empty text is refused";
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(result, 0) << "Esc is the procedure's Cancel";
    EXPECT_EQ(answers.text, "");
}

TEST_F(QtDialogBoxTest, ADoubleClickedEntryEndsTheDialogWithIt)
{
    LRESULT result = show([](QWidget* dialog) {
        auto* list = widget<QListWidget>(dialog);
        list->setCurrentRow(1);
        emit list->itemDoubleClicked(list->item(1));
    });
    EXPECT_EQ(result, 11);
}
