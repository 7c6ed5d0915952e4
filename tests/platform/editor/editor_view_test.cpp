// The editor view over a real editor window, offscreen: layout, positions, typing, keys,
// read-only windows, the clipboard's conversion and pagination.
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "tests/support/scripted_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace ks::editor;
using ks::editor::view::EditorView;

namespace {

int changes = 0;
LRESULT countChanges(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == kEventChanged)
        ++changes;
    return 0;
}

class EditorViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = EditorView::create(nullptr);
        h = view->handle();
        view->resize(400, 300);
        view->show();
        changes = 0;
        EditorSetHostCallback(h, countChanges);
    }
    void TearDown() override { delete view; }

    void append(const std::string& text, int font = 0) { EditorAppendText(h, text.c_str(), font, 0, 0, 0, 0); }
    std::string text()
    {
        std::string all;
        for (const Paragraph& p : findEditor(h)->doc.paragraphs())
            all += p.chars;
        return all;
    }
    int caret() { return static_cast<int>(findEditor(h)->posOf(findEditor(h)->caret)); }
    // Keys whose text is no plain ASCII (QTest::keyClicks takes ASCII only).
    void type(const QString& chars)
    {
        for (QChar c : chars) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(view, &press);
        }
    }
    void focus()
    {
        view->activateWindow();
        view->setFocus();
    }

    ks::test::ScriptedUi ui;
    EditorView* view = nullptr;
    HWND h = nullptr;
};

TEST_F(EditorViewTest, LongParagraphWrapsToTheWindowAndEveryPositionHasAPlace)
{
    findEditor(h)->doc.clear();
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "word" + std::to_string(i) + " ";
    append(words + "\x15");
    auto* l = view->layout();
    ASSERT_EQ(l->paragraphCount(), 1u);
    const auto& lines = l->box(0).geometry.lines;
    ASSERT_GT(lines.size(), 3u);
    // Lines break after blanks, never inside a word, and stay inside the window.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(words[lines[i].start - 1], ' ');
        EXPECT_GT(lines[i].top, lines[i - 1].top);
    }
    int lastY = -1;
    for (int pos = 0; pos < static_cast<int>(words.size()); pos += 7) {
        int x = -1, y = -1;
        ASSERT_TRUE(EditorGetPosPoint(h, 2, pos, -1, &x, &y));
        EXPECT_GE(x, 0);
        EXPECT_LT(x, view->viewport()->width());
        EXPECT_GE(y, lastY);   // later text never sits higher
        lastY = y;
        EXPECT_EQ(l->positionAt(l->caretRect(pos).center()), static_cast<std::uint64_t>(pos));
    }
    EXPECT_EQ(EditorGetPosPoint(h, 2, 1 << 30, -1, nullptr, nullptr), 0);
}

TEST_F(EditorViewTest, FormatsMoveTextBigFontsMakeTallerLinesAlignmentsPlaceIt)
{
    findEditor(h)->doc.clear();
    int big = EditorCreateFont(h, -1, 1, "Arial", 28, 0, 0, 0xFFFFFF, 0, 0);
    int indented = EditorMakeParaFormat(h, -1, 1, 1440, 0, 0, 0, 0, 0, 0, 0, 240, 0, 0, 0);
    int centred = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kAlignCentre);
    EditorAppendText(h, "plain\x15", 0, 0, 0, 0, 0);
    EditorAppendText(h, "indented\x15", 0, indented, 0, 0, 0);
    EditorAppendText(h, "big\x15", big, 0, 0, 0, 0);
    EditorAppendText(h, "mid\x15", 0, centred, 0, 0, 0);
    auto* l = view->layout();
    ASSERT_EQ(l->paragraphCount(), 4u);
    int plainX = l->caretRect(0).x();
    EXPECT_EQ(l->caretRect(6).x() - plainX, 96);   // an inch of indent
    EXPECT_GE(l->box(1).geometry.lines[0].top, 16);   // 240 twips before
    EXPECT_GT(l->box(2).geometry.lines[0].height, 2 * l->box(0).geometry.lines[0].height);
    int midX = l->caretRect(19).x();
    EXPECT_GT(midX, view->viewport()->width() / 2 - 40);
    EXPECT_LT(midX, view->viewport()->width() / 2);
}

TEST_F(EditorViewTest, TypingGoesThroughTheModelAndTellsTheHost)
{
    focus();
    QTest::keyClicks(view, "Hello");
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, "x");
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(text(), "Hell\x15\x15");
    EXPECT_GE(changes, 8);
    EXPECT_TRUE(findEditor(h)->modified);
    // The caret is drawn where the model has it.
    EXPECT_EQ(view->caretRect().x(), view->layout()->caretRect(4).x());
}

TEST_F(EditorViewTest, ReadOnlyRefusesTypingAndSaysSoWithABeep)
{
    append("keep");
    EditorSetReadOnly(h, 1);
    changes = 0;
    focus();
    QTest::keyClicks(view, "ab");
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(text(), "\x15keep");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ui.beeps(), 4);
}

TEST_F(EditorViewTest, SpeedKeysTheHostTurnedOffStayOff)
{
    append("text\x15");
    focus();
    VekEnableSpeedKey(h, 629, 0);
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(findEditor(h)->hasSelection());
    VekEnableSpeedKey(h, 629, 1);
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(findEditor(h)->hasSelection());
    // Bold on a selection through its key; with the key off the text stays plain.
    VekEnableSpeedKey(h, 633, 0);
    QTest::keyClick(view, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(findEditor(h)->styleAt(1) & kBold, 0u);
    VekEnableSpeedKey(h, 633, 1);
    QTest::keyClick(view, Qt::Key_B, Qt::ControlModifier);
    EXPECT_NE(findEditor(h)->styleAt(1) & kBold, 0u);
}

TEST_F(EditorViewTest, TypedCharactersOutsideTheCodePageAreRefusedPastedOnesBecomeQuestionMarksAndTheUserIsTold)
{
    focus();
    type(QString::fromUtf8("\xE2\x82\xAC\xC3\xA9"));   // euro sign and é: both Windows-1252
    EXPECT_EQ(text(), "\x80\xE9\x15");
    type(QString::fromUtf8("\xC5\x91"));   // ő is not
    EXPECT_EQ(text(), "\x80\xE9\x15");
    EXPECT_EQ(ui.beeps(), 1);
    QApplication::clipboard()->setText(QString::fromUtf8("a\xC5\x91" "b\xF0\x9F\x98\x80"));
    ui.answerMessage(ks::ui::OK);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "\x80\xE9" "a?b?\x15");
    ASSERT_EQ(ui.messageBoxes().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes()[0].text.startsWith("2 pasted"));
}

TEST_F(EditorViewTest, CopyGivesVisibleTextWithLineEnds)
{
    append("one\x15two\x15");
    EditorSelectRange(h, 1, 8);
    view->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QString("one\ntwo"));
}

TEST_F(EditorViewTest, ClickPlacesCaretDragSelectsDoubleClickTakesAWord)
{
    findEditor(h)->doc.clear();
    append("alpha beta gamma\x15");
    auto* l = view->layout();
    QPoint beta = l->caretRect(7).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, beta);
    EXPECT_EQ(caret(), 7);
    VekInfo info{};
    EditorGetInfo(h, &info);
    EXPECT_EQ(info.mouseX, beta.x());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, beta);
    std::uint64_t from, to;
    findEditor(h)->selectionRange(from, to);
    EXPECT_EQ(from, 6u);
    EXPECT_EQ(to, 10u);
}

TEST_F(EditorViewTest, EditsRelayOutOnlyTheParagraphsTheyTouch)
{
    findEditor(h)->doc.clear();
    for (int i = 0; i < 200; ++i)
        append("paragraph " + std::to_string(i) + "\x15");
    auto* l = view->layout();
    int lastTop = l->box(199).y;
    EditorMoveCaret(h, 50, -1, 0);
    EditorInsertText(h, "\r\n");
    EXPECT_EQ(l->sync(view->viewport()->width() ), 2u);   // the split paragraph became two
    EXPECT_EQ(l->paragraphCount(), 201u);
    EXPECT_GT(l->box(200).y, lastTop);
    EXPECT_EQ(l->sync(view->viewport()->width()), 0u);
}

// The model says what changed and the view lays it out then, painted or not: a hidden view's
// scroll range follows text the add-on appends, and nothing is laid out again after that.
TEST_F(EditorViewTest, WhatTheModelChangesIsLaidOutWithoutAPaint)
{
    view->hide();
    QApplication::processEvents();
    QScrollBar* bar = view->verticalScrollBar();
    int before = bar->maximum();
    for (int i = 0; i < 100; ++i)
        append("a paragraph that the add-on appended " + std::to_string(i) + "\x15");
    QApplication::processEvents();
    EXPECT_GT(bar->maximum(), before + 500) << "laid out once the burst of changes was over";
    auto* l = view->layout();
    EXPECT_EQ(l->paragraphCount(), findEditor(h)->doc.paragraphs().size());
    EXPECT_EQ(l->sync(view->viewport()->width()), 0u) << "nothing left to lay out";
    // An edit in the middle through the API: the paragraphs below move, the one edited is laid out anew.
    int lastTop = l->box(l->paragraphCount() - 1).y;
    EditorMoveCaret(h, 10, -1, 0);
    EditorInsertText(h, std::string(300, 'w').c_str());
    QApplication::processEvents();
    EXPECT_GT(l->box(l->paragraphCount() - 1).y, lastTop);
    EXPECT_EQ(l->sync(view->viewport()->width()), 0u);
}

TEST_F(EditorViewTest, PagesCutBetweenLinesAndHoldEveryLine)
{
    findEditor(h)->doc.clear();
    for (int i = 0; i < 300; ++i)
        append("line " + std::to_string(i) + "\x15");
    EditorRunCommand(h, 628);   // a page break at the caret (the start)
    auto* l = view->layout();
    auto tops = l->pageTops(500);
    ASSERT_GT(tops.size(), 5u);
    for (std::size_t n = 1; n < tops.size(); ++n) {
        EXPECT_LE(tops[n] - tops[n - 1], 500);
        EXPECT_GT(tops[n], tops[n - 1]);
    }
}

TEST(EditorViewWindow, AViewOfAnUnknownHandleShowsNothingAndADestroyedWindowLetsItsViewGo)
{
    EditorView stray(reinterpret_cast<HWND>(0x7777), nullptr);
    EXPECT_EQ(stray.layout(), nullptr);
    HWND h = EditorCreateWindow(nullptr, "", 0x54002041, 0, 0, 100, 100);
    auto* v = new EditorView(h, nullptr);
    EditorDestroyWindow(h);
    EXPECT_EQ(v->layout(), nullptr);
    delete v;
}

}

namespace {

TEST_F(EditorViewTest, CopiedTextKeepsItsFormatsWhenPastedAndThePasteIsAChange)
{
    findEditor(h)->doc.clear();
    int bold = EditorCreateFont(h, -1, 1, "Arial", 14, kBold, 0x0000FF, 0xFFFFFF, 0, 0);
    int centred = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kAlignCentre);
    EditorAppendText(h, "Big", bold, centred, 0, -1, 0);
    EditorAppendText(h, " words\x15", 0, centred, 0, -1, 0);
    EditorAppendText(h, "tail\x15", 0, 0, 0, -1, 0);
    EditorSelectRange(h, 0, 10);   // "Big words" and its mark
    view->copy();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
    EditorMoveCaret(h, 14, -1, 0);   // the end of "tail"
    changes = 0;
    focus();
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "Big words\x15tailBig words\x15\x15");
    EXPECT_GT(changes, 0);
    Editor& e = *findEditor(h);
    const FontEntry* f = e.fonts.get(e.doc.paragraphs()[1].fonts[5]);
    ASSERT_NE(f, nullptr);
    EXPECT_NE(f->style & kBold, 0u);
    EXPECT_EQ(f->points, 14);
    EXPECT_EQ(e.formatOf(1).flags & kAlignCentre, kAlignCentre);   // the pasted paragraph's format
    // RTF that is no RTF falls back to the text beside it.
    auto* data = new QMimeData;
    data->setData("text/rtf", "plain, not rtf");
    data->setText("ok");
    QApplication::clipboard()->setMimeData(data);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_NE(text().find("ok"), std::string::npos);
}

}

namespace {

int linkClicks = 0;
VekInfo atClick{};
LRESULT countLinks(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == kEventLinkClick) {
        ++linkClicks;
        EditorGetInfo(hWnd, &atClick);
    }
    return 1;
}

TEST_F(EditorViewTest, AClickOnALinkTellsTheAddOnWithTheMousePositionAndTypingTakesTheFontAtTheCaret)
{
    findEditor(h)->doc.clear();
    int hidden = EditorCreateFont(h, -1, 1, "Arial", 10, kHidden, 0, 0xFFFFFF, 0, 0);
    int link = EditorCreateFont(h, -1, 1, "Arial", 10, kLinkText, 0, 0xFFFFFF, 0, 0);
    int bold = EditorCreateFont(h, -1, 1, "Arial", 10, kBold, 0, 0xFFFFFF, 0, 0);
    EditorAppendText(h, "go ", 0, 0, 0, -1, 0);
    EditorAppendText(h, "href=x.htm", hidden, 0, 0, -1, 0);
    EditorAppendText(h, "there", link, 0, 0, -1, 0);
    EditorAppendText(h, " and bold", bold, 0, 0, -1, 0);
    EditorAppendText(h, "\x15", 0, 0, 0, -1, 0);
    EditorSetAddonCallback(h, countLinks);
    EditorRunCommand(h, 710);   // links become clickable
    EditorSetReadOnly(h, 1);
    linkClicks = 0;
    auto* l = view->layout();
    QPoint onLink = l->caretRect(15).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onLink);
    EXPECT_EQ(linkClicks, 1);
    EXPECT_EQ(atClick.mouseX, onLink.x());
    EXPECT_EQ(atClick.mouseY, onLink.y());
    // The hidden run takes no room: the link text starts where the visible text ends.
    EXPECT_EQ(l->caretRect(3).x(), l->caretRect(13).x());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, l->caretRect(1).center());
    EXPECT_EQ(linkClicks, 1);   // plain text is no link
    EditorSetReadOnly(h, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, l->caretRect(23).center());
    QTest::keyClicks(view, "Z");
    EXPECT_EQ(findEditor(h)->styleAt(EditorFindText(h, "Z", 0, 4)) & kBold, kBold);
    // Left and right pass a hidden run in one step; composed text arrives as typing.
    EditorMoveCaret(h, 3, -1, 0);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(caret(), 14);   // past "href=x.htm" and the link's first letter
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(caret(), 13);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(caret(), 2);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\xC3\xA4"));
    QApplication::sendEvent(view, &composed);
    EXPECT_EQ(text().substr(0, 4), "go\xE4 ");
}

TEST_F(EditorViewTest, TenThousandRowsAndTablesNestedFortyDeepLayOutAndPaint)
{
    findEditor(h)->doc.clear();
    int previous = 0;
    for (int r = 0; r < 10000; ++r) {
        previous = EditorCreateCell(h, 1, previous, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        EditorAppendText(h, "row\x13\x12", 0, 0, previous, -1, 0);
    }
    EditorEndTable(h, previous, 1);
    int enclosing = 0;
    for (int d = 0; d < 40; ++d) {
        int cell = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        EditorSetCellProps(h, cell, 0xFFFFFF, -1, enclosing);
        EditorAppendText(h, "deep\x13", 0, 0, cell, -1, 0);
        enclosing = cell;
    }
    auto* l = view->layout();
    EXPECT_GT(l->height(), 10000 * 10);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    EXPECT_FALSE(view->grab().isNull());
}

}

TEST_F(EditorViewTest, ANestedListStartsAnewAfterAnItemOfTheListAroundIt)
{
    int numbers = EditorMakeListFormat(h, 0, 1, 1, 0);
    int letters = EditorMakeListFormat(h, 0, 1, 2, 2);
    auto format = [&](int list) {
        return EditorMakeParaFormatEx(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, list, 0xFFFFFF);
    };
    const struct {
        const char* text;
        int list;
    } items[] = {{"one", numbers}, {"x", letters}, {"y", letters}, {"two", numbers}, {"z", letters}};
    for (const auto& item : items)
        EditorAppendText(h, (std::string(item.text) + "\x15").c_str(), 0, format(item.list), 0, -1, 0);
    QCoreApplication::processEvents();
    auto* l = view->layout();
    ASSERT_NE(l, nullptr);
    std::vector<QString> markers;
    for (std::size_t i = 1; i <= 5; ++i)   // after the empty paragraph a window starts with
        markers.push_back(l->box(i).marker);
    EXPECT_EQ(markers, (std::vector<QString>{"1.", "a.", "b.", "2.", "a."}));
}
