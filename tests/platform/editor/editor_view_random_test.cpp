// Random edits through the editor's operations while a view shows the window: after each
// round the layout holds every paragraph and equals a layout made afresh, every position
// has a caret inside the document,
// and painting the whole document (at several widths) reads nothing it should not (the
// suite also runs under the address sanitizer).
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "tests/support/scripted_ui.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

using namespace ks::editor;
using ks::editor::view::EditorView;

namespace {

class RandomEdits {
public:
    RandomEdits(HWND h, unsigned seed) : h_(h), rng_(seed)
    {
        fonts_[0] = EditorCreateFont(h, -1, 1, "Arial", 10, 0, 0, 0xFFFFFF, 0, 0);
        fonts_[1] = EditorCreateFont(h, -1, 1, "Times New Roman", 28, 3, 0xFF, 0xFFFFFF, 0, 0);
        fonts_[2] = EditorCreateFont(h, -1, 1, "Arial", 8, 0x40, 0, 0xFFFFFF, 0, 0);   // hidden
        formats_[0] = EditorMakeParaFormat(h, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1);
        formats_[1] = EditorMakeParaFormat(h, -1, 1, 720, 360, -360, 0, 0, 0x40, 0, 0, 240, 120, 0, 2);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int length()
    {
        Editor* e = findEditor(h_);
        return static_cast<int>(e->doc.length());
    }

    void step()
    {
        int len = std::max(1, length());
        int a = pick(len), b = std::min(len, a + pick(60));
        switch (pick(9)) {
        case 0:
        case 1: {
            // Words, blanks, paragraph ends and line breaks typed at a random place.
            static const char* pieces[] = {"word ", "a", " ", "\r\n", "\x0F", "longerwordwithoutblanks", "\t"};
            std::string text;
            for (int i = pick(40); i >= 0; --i)
                text += pieces[pick(7)];
            EditorMoveCaret(h_, a, -1, 0);
            EditorSetCurFont(h_, fonts_[pick(3)]);
            EditorInsertText(h_, text.c_str());
            break;
        }
        case 2:
            EditorSelectRange(h_, a, b);
            EditorDeleteSelection(h_);
            break;
        case 3:
            EditorSelectRange(h_, a, b);
            EditorSetCharStyle(h_, 1u << pick(4), pick(2), 1);
            break;
        case 4:
            EditorMoveCaret(h_, a, -1, 0);
            EditorTableCmdA(h_, 1 + pick(4));
            break;
        case 5:
            EditorMoveCaret(h_, a, -1, 0);
            switch (pick(4)) {
            case 0: EditorTableCmdB(h_, pick(2), 1); break;
            case 1: EditorTableCmdC(h_, 2 + pick(2), 1); break;
            case 2: EditorTableCmdD(h_, pick(2), 1 + pick(3), 1); break;
            default: EditorTableCmdE(h_, 0, 0, 1); break;
            }
            break;
        case 6: {
            VekInfo info{};
            EditorGetInfo(h_, &info);
            int first = pick(std::max(1, info.lineCount));
            EditorApplyParaFormat(h_, first, first + pick(5), formats_[pick(2)]);
            break;
        }
        case 7:
            EditorSelectRange(h_, a, b);
            EditorSetParaFlags(h_, 1u << pick(4), 1, 1);
            break;
        default:
            EditorRunCommand(h_, pick(2) ? 628 : 654);   // a page break or a line break at the caret
            break;
        }
    }

private:
    HWND h_;
    std::mt19937 rng_;
    int fonts_[3];
    int formats_[2];
};

// What the view laid out edit by edit is what a layout made at once makes of the document.
void expectSameAsAFreshLayout(const ks::editor::view::DocLayout& kept, Editor& e, int width)
{
    ks::editor::view::DocLayout fresh(e);
    fresh.sync(width);
    ASSERT_EQ(kept.paragraphCount(), fresh.paragraphCount());
    ASSERT_EQ(kept.height(), fresh.height());
    for (std::size_t p = 0; p < fresh.paragraphCount(); ++p) {
        const auto& a = kept.box(p).geometry;
        const auto& b = fresh.box(p).geometry;
        ASSERT_EQ(a.height, b.height) << "paragraph " << p;
        ASSERT_EQ(a.lines.size(), b.lines.size()) << "paragraph " << p;
        for (std::size_t i = 0; i < a.lines.size(); ++i) {
            const auto& x = a.lines[i];
            const auto& y = b.lines[i];
            ASSERT_TRUE(x.start == y.start && x.length == y.length && x.top == y.top && x.height == y.height &&
                        x.baseline == y.baseline && x.x == y.x && x.blankExtra == y.blankExtra)
                << "paragraph " << p << " line " << i;
        }
    }
}

// The whole document painted into an image, a slice at a time as scrolling would.
void paintAll(EditorView& view, int width)
{
    view.resize(width, 300);
    auto* l = view.layout();
    ASSERT_NE(l, nullptr);
    QImage page(width, 300, QImage::Format_RGB32);
    for (int top = 0; top < l->height(); top += 300) {
        QPainter p(&page);
        p.translate(0, -top);
        l->paint(p, QRect(0, top, width, 300), {});
    }
}

}

TEST(EditorViewRandomEdits, LayoutAndPaintHoldThroughRandomEditsAtEveryWidth)
{
    ks::test::ScriptedUi ui;
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        std::unique_ptr<EditorView> view(EditorView::create(nullptr));
        HWND h = view->handle();
        view->resize(420, 300);
        view->show();
        RandomEdits edits(h, seed);
        Editor& e = *findEditor(h);
        for (int round = 0; round < 40; ++round) {
            for (int i = 0; i < 8; ++i)
                edits.step();
            auto* l = view->layout();
            ASSERT_EQ(l->paragraphCount(), e.doc.paragraphs().size()) << "seed " << seed << " round " << round;
            int length = edits.length();
            for (int k = 0; k < 20; ++k) {
                int pos = edits.pick(length + 1);
                QRect c = l->caretRect(static_cast<std::uint64_t>(pos));
                if (c.isEmpty())
                    continue;   // hidden text has no caret
                EXPECT_GE(c.top(), 0);
                EXPECT_LE(c.bottom(), l->height()) << "seed " << seed << " position " << pos << " of " << length;
            }
            (void)view->grab();
            expectSameAsAFreshLayout(*l, e, view->viewport()->width());
        }
        for (int width : {40, 200, 1200})
            paintAll(*view, width);
    }
}

TEST(EditorViewRandomEdits, KeysInALongParagraphLayItOutAsAFreshLayoutWould)
{
    ks::test::ScriptedUi ui;
    std::mt19937 rng(7);
    for (unsigned align : {0u, 0x1u, 0x3u}) {   // left, centred, justified
        std::unique_ptr<EditorView> view(EditorView::create(nullptr));
        HWND h = view->handle();
        view->resize(380, 300);
        view->show();
        Editor& e = *findEditor(h);
        e.doc.clear();
        int wide = EditorCreateFont(h, -1, 1, "Times New Roman", 20, 0, 0, 0xFFFFFF, 0, 0);
        std::string text;
        for (int w = 0; w < 400; ++w)
            text += w % 37 == 0 ? std::string(60, 'x') : w % 23 == 0 ? "\t" : "w" + std::to_string(w) + " ";
        EditorAppendText(h, (text + "\x15").c_str(), 0, 0, 0, -1, 0);
        EditorSetCaretPos(h, 0);
        EditorSetParaFlags(h, align, 1, 1);
        view->layout();
        for (int k = 0; k < 120; ++k) {
            int length = static_cast<int>(e.doc.length());
            int at = std::uniform_int_distribution<int>(0, length - 1)(rng);
            int what = std::uniform_int_distribution<int>(0, 5)(rng);
            EditorMoveCaret(h, at, -1, 0);
            if (what == 0)
                EditorSetCurFont(h, wide);   // a taller character changes its line's height
            static const char* keys[] = {"a", " ", "b", "\t", "c", " "};
            if (what == 5 && at > 0) {
                EditorSelectRange(h, at - 1, at);
                EditorDeleteSelection(h);
            } else {
                EditorInsertText(h, keys[what]);
            }
            auto* l = view->layout();
            expectSameAsAFreshLayout(*l, e, view->viewport()->width());
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}
