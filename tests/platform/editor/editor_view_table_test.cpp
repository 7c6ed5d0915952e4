// Tables and pictures in the editor view: cells side by side, spans, nested tables,
// pictures at their size, and a damaged table that still draws.
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/control_widgets.h"
#include "platform/editor/view/editor_view.h"
#include "platform/files/files.h"
#include "tests/support/temp_dir.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace ks::editor;
using ks::editor::view::EditorView;

namespace {

class EditorViewTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = EditorView::create(nullptr);
        h = view->handle();
        view->resize(500, 400);
        findEditor(h)->doc.clear();
    }
    void TearDown() override { delete view; }
    void text(const char* t, int cell) { EditorAppendText(h, t, 0, 0, cell, -1, 0); }
    // The paragraph holding a text position.
    const ks::editor::view::ParaBox& boxAt(const char* needle)
    {
        int pos = EditorFindText(h, needle, 0, 0x4);
        std::size_t line, col;
        findEditor(h)->doc.posToLineCol(pos, line, col);
        return view->layout()->box(findEditor(h)->doc.paraOfLine(line));
    }

    EditorView* view = nullptr;
    HWND h = nullptr;
};

// Row 1: "wide" spans both columns (the second is covered); row 2: "left" and a cell holding a
// nested one-cell table with "deep".
TEST_F(EditorViewTableTest, CellsSitSideBySideSpansTakeTheirColumnsNestedTablesSitInTheirCell)
{
    text("above\x15", 0);
    int wide = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 2, 0x20);
    EditorSetCellProps(h, wide, 0xFFE0C0, 60, 0);
    text("wide\x13", wide);
    int covered = EditorCreateCell(h, 0, wide, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 0, 0x20);
    text("\x13", covered);
    text("\x12", covered);
    int left = EditorCreateCell(h, 1, covered, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
    text("left\x13", left);
    int right = EditorCreateCell(h, 0, left, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
    int inner = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
    EditorSetCellProps(h, inner, 0xFFFFFF, -1, right);
    text("deep\x13", inner);
    text("\x12", inner);
    EditorEndTable(h, inner, 1);
    text("\x13", right);
    text("\x12", right);
    EditorEndTable(h, right, 2);
    text("below\x15", 0);
    auto* l = view->layout();
    const auto& wideBox = boxAt("wide");
    const auto& leftBox = boxAt("left");
    const auto& deepBox = boxAt("deep");
    const auto& belowBox = boxAt("below");
    EXPECT_GT(wideBox.y, boxAt("above").y);
    EXPECT_GT(leftBox.y, wideBox.y);
    EXPECT_GT(deepBox.x, leftBox.x + leftBox.width / 2);      // the second column
    EXPECT_GT(wideBox.width, leftBox.width * 3 / 2);          // both columns
    EXPECT_LT(deepBox.width, view->viewport()->width() / 2);  // inside its cell
    EXPECT_GE(belowBox.y, deepBox.y + deepBox.geometry.height);
    ASSERT_TRUE(wideBox.table);
    EXPECT_EQ(wideBox.table.get(), deepBox.table.get());   // one outermost table
    EXPECT_GE(wideBox.table->cells.size(), 4u);
    // A click in the second column finds the nested cell's text.
    QRect deepCaret = l->caretRect(EditorFindText(h, "deep", 0, 4) + 2);
    EXPECT_EQ(l->positionAt(deepCaret.center()), static_cast<std::uint64_t>(EditorFindText(h, "deep", 0, 4) + 2));
    // Typing in a cell lays out the table again, and only as far as it goes.
    EditorMoveCaret(h, EditorFindText(h, "left", 0, 4), -1, 0);
    EditorInsertText(h, "very ");
    std::size_t laidOut = l->sync(view->viewport()->width());
    EXPECT_GE(laidOut, 1u);
    EXPECT_LT(laidOut, l->paragraphCount());
    EXPECT_GT(boxAt("very").x, -1);
}

// A table without a width is as wide as its content, up to the window's width; a column
// that cannot have its content on one line wraps it.
TEST_F(EditorViewTableTest, ATableWithoutAWidthIsSizedToItsContent)
{
    auto row = [&](int previous, const char* a, const char* b, bool last) {
        int c1 = EditorCreateCell(h, 1, previous, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        text((std::string(a) + "\x13").c_str(), c1);
        int c2 = EditorCreateCell(h, 0, c1, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        text((std::string(b) + "\x13\x12").c_str(), c2);
        if (last)
            EditorEndTable(h, c2, 2);
        return c2;
    };
    row(row(0, "Item", "Count", false), "Pens", "12", true);
    text("between\x15", 0);
    std::string longText;
    for (int i = 0; i < 80; ++i)
        longText += "word ";
    row(0, "Notes", longText.c_str(), true);
    text("below\x15", 0);
    int window = view->layout()->width();
    const auto& item = boxAt("Item");
    const auto& count = boxAt("Count");
    EXPECT_EQ(count.y, item.y) << "side by side";
    int right = count.x + count.width;
    EXPECT_LT(right, window / 2) << "two short columns make a narrow table, the numbers next to their names";
    EXPECT_GT(count.x, item.x);
    EXPECT_EQ(boxAt("12").x, count.x);
    const auto& notes = boxAt("Notes");
    const auto& words = boxAt("word word");
    EXPECT_LE(words.x + words.width, window) << "no wider than the window";
    EXPECT_GT(words.x + words.width, window * 9 / 10) << "a long cell takes the room there is";
    EXPECT_GT(words.geometry.lines.size(), 1u) << "and wraps";
    EXPECT_LT(notes.width, window / 4) << "a short column keeps its content's width";
}

// Bullets by level: a filled disc first, then a circle, then a square.
TEST_F(EditorViewTableTest, FirstLevelBulletsAreDiscsThenCirclesThenSquares)
{
    for (int level = 1; level <= 3; ++level) {
        int list = EditorMakeListFormat(h, 1, 1, level, level - 1);   // as the HTML reader makes them
        int format = EditorMakeParaFormatEx(h, -1, 1, 300 * level, 0, -300, 0, 0, 0, 0, 0, 0, 0, 0, 0, list, 0xFFFFFF);
        EditorAppendText(h, ("level " + std::to_string(level) + "\x15").c_str(), 0, format, 0, -1, 0);
    }
    int bare = EditorMakeListFormat(h, 1, 1, 0, 0);   // no level given: a disc too
    EditorAppendText(h, "bare\x15", 0, EditorMakeParaFormatEx(h, -1, 1, 300, 0, -300, 0, 0, 0, 0, 0, 0, 0, 0, 0, bare, 0xFFFFFF), 0, -1, 0);
    EXPECT_EQ(boxAt("level 1").marker, QString(QChar(0x2022)));
    EXPECT_EQ(boxAt("level 2").marker, QString(QChar(0x25E6)));
    EXPECT_EQ(boxAt("level 3").marker, QString(QChar(0x25AA)));
    EXPECT_EQ(boxAt("bare").marker, QString(QChar(0x2022)));
}

TEST_F(EditorViewTableTest, PicturesTakeTheirSizeInTheLine)
{
    ks::test::TempDir dir;
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::red);
    std::string file = (dir.path() / "p.png").string();
    ASSERT_TRUE(image.save(QString::fromStdString(file)));
    int id = EditorInsertPngFile(h, file.c_str(), 0, 0);
    ASSERT_GT(id, 0);
    text("see ", 0);
    EditorAppendText(h, "\x18", id, 0, 0, -1, 0);
    text(" here\x15", 0);
    auto* l = view->layout();
    const auto& line = l->box(0).geometry.lines.at(0);
    EXPECT_GE(line.height, 80);
    int before = l->caretRect(4).x(), after = l->caretRect(5).x();
    EXPECT_EQ(after - before, 120);
    QImage shot = view->grab().toImage();
    QPoint inside(l->caretRect(4).x() + 60, l->caretRect(4).bottom() - 20);
    EXPECT_EQ(shot.pixelColor(inside), QColor(Qt::red));
}

TEST_F(EditorViewTableTest, TablesWithManyColumnsOrCellsWithoutATableStillDraw)
{
    int previous = 0;
    for (int c = 0; c < 300; ++c) {
        previous = EditorCreateCell(h, c == 0, previous, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        text("x\x13", previous);
    }
    text("\x12", previous);
    EditorEndTable(h, previous, 300);
    // A paragraph naming a cell that no table row holds.
    findEditor(h)->doc.appendRun("stray\x15", 0, {0, 9999});
    auto* l = view->layout();
    EXPECT_GT(l->height(), 0);
    for (std::size_t i = 0; i < l->paragraphCount(); ++i)
        EXPECT_GE(l->box(i).width, 1);
    QImage shot = view->grab().toImage();
    EXPECT_FALSE(shot.isNull());
}


TEST_F(EditorViewTableTest, HugePicturesAreDrawnCappedAndKeptWhole)
{
    ks::test::TempDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    std::string file = (dir.path() / "p.png").string();
    ASSERT_TRUE(image.save(QString::fromStdString(file)));
    int shown = EditorInsertPngFile(h, file.c_str(), 0, 0);
    ASSERT_GT(shown, 0);
    // Shown 32000 pixels a side: drawn no larger than the cap, the size asked for kept.
    ASSERT_NE(EditorSetPictureSize(h, shown, 32000, 32000), 0);
    // A PNG whose header claims 60000 x 60000 pixels: too big to decode, so a frame is drawn.
    std::string bytes;
    ASSERT_TRUE(ks::files::readFile(file, bytes));
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(v >> (24 - 8 * i));
    };
    put32(16, 60000);   // IHDR width and height follow the 8-byte signature and the chunk head
    put32(20, 60000);
    std::string claimed = (dir.path() / "claimed.png").string();
    ASSERT_TRUE(ks::files::saveFile(claimed, bytes));
    int liar = EditorInsertPngFile(h, claimed.c_str(), 0, 0);
    text("a ", 0);
    EditorAppendText(h, "\x18", shown, 0, 0, -1, 0);
    if (liar > 0)
        EditorAppendText(h, "\x18", liar, 0, 0, -1, 0);
    text(" b\x15", 0);
    auto* l = view->layout();
    EXPECT_LE(l->height(), 21000 + 100);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
    QImage shot = view->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    RECT r{};
    EditorGetFontData(h, shown, nullptr, &r, nullptr, nullptr);
    EXPECT_EQ(r.right - r.left, 32000) << "the document keeps the size it was given";
    EXPECT_EQ(r.bottom - r.top, 32000);
}

}

namespace {

std::vector<std::pair<WPARAM, LPARAM>> commands;
LRESULT addonEvents(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        commands.emplace_back(wParam, lParam);
    return 0;
}

TEST_F(EditorViewTableTest, AControlSitsAtItsAnchorAndItsClickReachesTheAddOn)
{
    // A check box widget standing in for the controls layer's: it reports clicks to the control's parent.
    ks::editor::view::setControlWidgetMaker([](HWND control, QWidget* parent) -> QWidget* {
        auto* box = new QCheckBox(parent);
        QObject::connect(box, &QCheckBox::clicked, [control] {
            SendMessage(GetParent(control), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(control)),
                        reinterpret_cast<LPARAM>(control));
        });
        return box;
    });
    commands.clear();
    EditorSetAddonCallback(h, addonEvents);
    int id = EditorInsertControl(h, "Button", 3, 300, 300, 1, 2001, 0);   // 20 x 20 pixels
    ASSERT_GT(id, 0);
    text("tick ", 0);
    EditorAppendText(h, "\x18", id, 0, 0, -1, 0);
    text(" done\x15", 0);
    view->show();
    view->grab();   // paints, which places the controls
    auto* box = view->viewport()->findChild<QCheckBox*>();
    ASSERT_NE(box, nullptr);
    QRect anchor = view->layout()->caretRect(5);
    EXPECT_EQ(box->geometry().topLeft().x(), anchor.x());
    EXPECT_EQ(box->size(), QSize(20, 20));
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].first & 0xFFFF, 2001u);
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].second), EditorGetObjectControl(h, id));
    ks::editor::view::setControlWidgetMaker(nullptr);
}

}

namespace {

TEST_F(EditorViewTableTest, WindowsMadeInsideAWindowShowAsFramesThatMoveAndGo)
{
    view->show();
    HWND left = EditorCreateWindow(h, "left", 0x54042041, 0, 0, 200, 300);
    HWND right = EditorCreateWindow(h, "right", 0x54002041, 200, 0, 280, 300);
    EditorAppendText(left, "left frame\x15", 0, 0, 0, -1, 0);
    EditorAppendText(right, "right frame\x15", 0, 0, 0, -1, 0);
    auto frames = view->viewport()->findChildren<EditorView*>();
    ASSERT_EQ(frames.size(), 2);
    EditorView* l = frames[0]->handle() == left ? frames[0] : frames[1];
    EditorView* r = frames[0]->handle() == right ? frames[0] : frames[1];
    EXPECT_EQ(l->geometry(), QRect(0, 0, 200, 300));
    EXPECT_EQ(r->geometry(), QRect(200, 0, 280, 300));
    EXPECT_EQ(l->frameShape(), QFrame::Box);   // a sizing border
    EXPECT_EQ(r->frameShape(), QFrame::NoFrame);
    EditorMoveWindow(right, 250, 10, 200, 200);
    EXPECT_EQ(r->geometry(), QRect(250, 10, 200, 200));
    int x = -1, y = -1;
    ASSERT_TRUE(EditorGetPosPoint(right, 2, 0, -1, &x, &y));   // the frame's own layout answers
    EXPECT_LT(x, 20);
    EditorDestroyWindow(left);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->viewport()->findChildren<EditorView*>().size(), 1);
}

}
namespace {

TEST_F(EditorViewTableTest, AnAnimatedPictureStepsThroughItsFramesOnceAndStaysOnTheLast)
{
    ks::test::TempDir dir;
    auto picture = [&](const char* name, QColor colour) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(colour);
        std::string file = (dir.path() / name).string();
        image.save(QString::fromStdString(file));
        return EditorInsertPngFile(h, file.c_str(), 0, 0);
    };
    int first = picture("a.png", Qt::red);
    int second = picture("b.png", Qt::blue);
    ASSERT_TRUE(EditorAddAnimationFrame(h, first, second, 3));
    ASSERT_TRUE(EditorStartAnimation(h, first, 0, 3));   // once through, 30 ms a frame
    EditorAppendText(h, "\x18", first, 0, 0, -1, 0);
    text("\x15", 0);
    view->show();
    QPoint inside = view->layout()->caretRect(0).center() + QPoint(20, 0);
    EXPECT_EQ(view->grab().toImage().pixelColor(inside), QColor(Qt::red));
    // The timer's step may come late on a busy machine: wait for it, within reason.
    QElapsedTimer waited;
    waited.start();
    while (view->grab().toImage().pixelColor(inside) != QColor(Qt::blue) && waited.elapsed() < 3000)
        QTest::qWait(10);
    EXPECT_EQ(view->grab().toImage().pixelColor(inside), QColor(Qt::blue));
    QTest::qWait(120);
    EXPECT_EQ(view->grab().toImage().pixelColor(inside), QColor(Qt::blue));   // once through: it stays
}

TEST_F(EditorViewTableTest, ABackgroundPictureTilesUnderTheText)
{
    ks::test::TempDir dir;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::green);
    std::string file = (dir.path() / "bg.png").string();
    image.save(QString::fromStdString(file));
    int id = EditorInsertPngFile(h, file.c_str(), 0, 0);
    ASSERT_TRUE(EditorSetBkPicture(h, id, 2, 1));
    text("over the picture\x15", 0);
    view->show();
    QImage shot = view->grab().toImage();
    EXPECT_EQ(shot.pixelColor(300, 300), QColor(Qt::green));   // far from the text: tiles all the way
}

}

// A document of every kind of content, for the README's picture: KS_EDITOR_SHOT=<png>.
TEST(EditorViewShot, EveryKindOfContent)
{
    QString shot = qEnvironmentVariable("KS_EDITOR_SHOT");
    if (shot.isEmpty())
        GTEST_SKIP() << "KS_EDITOR_SHOT not set";
    auto* v = EditorView::create(nullptr);
    HWND h = v->handle();
    v->setWindowTitle("Editor view");
    v->resize(640, 460);
    findEditor(h)->doc.clear();
    int title = EditorCreateFont(h, -1, 1, "DejaVu Sans", 18, kBold, 0x7F3F00, 0xFFFFFF, 0, 0);
    int bold = EditorCreateFont(h, -1, 1, "DejaVu Sans", 10, kBold, 0, 0xFFFFFF, 0, 0);
    int ital = EditorCreateFont(h, -1, 1, "DejaVu Serif", 11, kItalic, 0x0000A0, 0xFFFFFF, 0, 0);
    int link = EditorCreateFont(h, -1, 1, "DejaVu Sans", 10, kLinkText, 0, 0xFFFFFF, 0, 0);
    int centred = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 160, 0, kAlignCentre);
    int spaced = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, kAlignJustify);
    int list = EditorMakeListFormat(h, 0, 1, 0, 0);
    int numbered = EditorMakeParaFormatEx(h, -1, 1, 540, 0, -300, 0, 0, 0, 0, 0, 0, 40, 0, 0, list, 0xFFFFFF);
    int rule = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 60, 60, 2, kDefaultRule);
    EditorAppendText(h, "Quarterly planning notes\x15", title, centred, 0, -1, 0);
    EditorAppendText(h, "The team agreed on three ", 0, spaced, 0, -1, 0);
    EditorAppendText(h, "measurable", bold, spaced, 0, -1, 0);
    EditorAppendText(h, " goals for the quarter. Each goal has an owner, a target and a review date; ", 0, spaced, 0, -1, 0);
    EditorAppendText(h, "progress is reviewed every month", ital, spaced, 0, -1, 0);
    EditorAppendText(h, " (see ", 0, spaced, 0, -1, 0);
    EditorAppendText(h, "the scorecard", link, spaced, 0, -1, 0);
    EditorAppendText(h, ").\x15", 0, spaced, 0, -1, 0);
    EditorAppendText(h, "Raise repeat orders by 10 %\x15" "Cut delivery time to two days\x15" "Train every new hire in the first week\x15", 0, numbered, 0, -1, 0);
    EditorAppendText(h, "\x15", 0, rule, 0, -1, 0);
    int a = EditorCreateCell(h, 1, 0, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 2, 0xA0);
    EditorSetCellProps(h, a, 0xF0E0D0, 60, 0);
    EditorAppendText(h, "Goal owners", bold, 0, a, -1, 0);
    EditorAppendText(h, "\x13", bold, 0, a, -1, 0);
    int cov = EditorCreateCell(h, 0, a, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 0, 0x20);
    EditorAppendText(h, "\x13\x12", 0, 0, cov, -1, 0);
    const char* rows[3][2] = {{"Repeat orders", "Sales lead"}, {"Delivery time", "Operations"}, {"Training", "Office manager"}};
    int prev = cov;
    for (auto& r : rows) {
        int c1 = EditorCreateCell(h, 1, prev, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        EditorSetCellProps(h, c1, 0xFFFFFF, 60, 0);
        EditorAppendText(h, (std::string(r[0]) + "\x13").c_str(), 0, 0, c1, -1, 0);
        int c2 = EditorCreateCell(h, 0, c1, 0, 0, 0, 0, 0, 15, 15, 15, 15, 1, 1, 0x20);
        EditorSetCellProps(h, c2, 0xE8FFE8, 60, 0);
        EditorAppendText(h, (std::string(r[1]) + "\x13\x12").c_str(), 0, 0, c2, -1, 0);
        prev = c2;
    }
    EditorEndTable(h, prev, 2);
    ks::test::TempDir dir;
    QImage image(160, 48, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x80, 0xC0));
    QPainter pp(&image);
    pp.setPen(Qt::white);
    pp.drawText(image.rect(), Qt::AlignCenter, "PNG picture");
    pp.end();
    std::string file = (dir.path() / "p.png").string();
    image.save(QString::fromStdString(file));
    int pic = EditorInsertPngFile(h, file.c_str(), 0, 0);
    EditorAppendText(h, "A picture in the text: ", 0, 0, 0, -1, 0);
    EditorAppendText(h, "\x18", pic, 0, 0, -1, 0);
    EditorAppendText(h, " and text after it.\x15", 0, 0, 0, -1, 0);
    v->show();
    v->setFocus();
    EditorSelectRange(h, 56, 66);
    EXPECT_TRUE(v->grab().save(shot));
    delete v;
}

namespace {

// A metafile: placeable header (an inch square), then a red brush, no pen, a rectangle over the
// left half, and text; records cut short or unknown are passed over.
std::string metafile(bool damaged)
{
    std::string b;
    auto u16 = [&](int v) { b.push_back(char(v & 0xFF)); b.push_back(char((v >> 8) & 0xFF)); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    u32(0x9AC6CDD7); u16(0); u16(0); u16(0); u16(1440); u16(1440); u16(1440); u32(0); u16(0);
    u16(1); u16(9); u16(0x300); u32(0); u16(3); u32(0); u16(0);
    u32(5); u16(0x020C); u16(100); u16(100);                          // window extent 100 x 100
    u32(7); u16(0x02FC); u16(0); u32(0x0000FF); u16(0);              // red brush
    u32(4); u16(0x012D); u16(0);
    u32(8); u16(0x02FA); u16(5); u16(0); u16(0); u32(0);              // no pen
    u32(4); u16(0x012D); u16(1);
    u32(3); u16(0x0777);                                              // unknown
    u32(7); u16(0x041B); u16(100); u16(50); u16(0); u16(0);           // rectangle (0,0)-(50,100)
    if (damaged)
        u32(0x7FFFFFFF), u16(0x041B);                                 // a record longer than the file
    u32(3); u16(0);
    return b;
}

TEST_F(EditorViewTableTest, AMetafilePictureIsPlayedAtItsSizeAndADamagedOneStillDraws)
{
    ks::test::TempDir dir;
    for (bool damaged : {false, true}) {
        std::string file = (dir.path() / (damaged ? "bad.wmf" : "ok.wmf")).string();
        ASSERT_TRUE(ks::files::saveFile(file, metafile(damaged)));
        findEditor(h)->doc.clear();
        int id = EditorInsertWmfFile(h, file.c_str(), 0, 0);
        ASSERT_GT(id, 0);
        EditorAppendText(h, "\x18", id, 0, 0, -1, 0);
        text("\x15", 0);
        view->show();
        QRect at = view->layout()->caretRect(0);
        QImage shot = view->grab().toImage();
        int bottom = view->layout()->box(0).y + view->layout()->box(0).geometry.lines[0].baseline;
        EXPECT_EQ(shot.pixelColor(at.x() + 20, bottom - 48), QColor(Qt::red)) << damaged;   // left half
        EXPECT_EQ(shot.pixelColor(at.x() + 75, bottom - 48), QColor(Qt::white)) << damaged; // right half
    }
}

}
