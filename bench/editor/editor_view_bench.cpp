// The editor view beside QTextDocument on the same document (1 MB, then 5 MB) at 900 pixels: layout time,
// then the median keystroke-to-repaint time in the middle of the document and the slowest
// frame of a scroll from top to bottom (offscreen); then a keystroke into a paragraph of a
// million characters.
#include "bench/editor/bench_document.h"
#include "platform/editor/model/editor.h"
#include "platform/editor/view/editor_view.h"
#include "platform/editor/view/font_cache.h"
#include "platform/ui/cp1252_text.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace ks::editor;

namespace {

using Clock = std::chrono::steady_clock;
double ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

QTextCharFormat charFormat(const FontEntry& f)
{
    QTextCharFormat c;
    c.setFontFamilies({QString::fromStdString(f.face)});
    c.setFontPointSize(f.points);
    c.setFontWeight(f.style & kBold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.style & kItalic);
    c.setFontUnderline(f.style & (kUnderline | kLinkText));
    if (f.colour)
        c.setForeground(view::colourOf(f.colour));
    return c;
}

// The same visible text and formats, built through QTextCursor.
void buildPeer(Editor& e, QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    bool first = true;
    for (std::size_t p = 0; p < e.doc.paragraphs().size(); ++p) {
        const Paragraph& para = e.doc.paragraphs()[p];
        const ParaFormat& pf = e.formatOf(p);
        QTextBlockFormat block;
        block.setTopMargin(pf.spaceBefore / 15.0);
        block.setBottomMargin(pf.spaceAfter / 15.0);
        block.setAlignment(pf.flags & kAlignCentre ? Qt::AlignHCenter : Qt::AlignLeft);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (std::size_t i = 0; i < para.chars.size();) {
            std::size_t j = i;
            while (j < para.chars.size() && para.fonts[j] == para.fonts[i])
                ++j;
            const FontEntry* f = e.fonts.get(para.fonts[i]);
            std::string run = para.chars.substr(i, j - i);
            run.erase(std::remove_if(run.begin(), run.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }), run.end());
            if (f && !(f->style & kHidden) && !run.empty())
                cursor.insertText(ui::fromCp1252(run), charFormat(*f));
            i = j;
        }
    }
}

// Layout beside QTextDocument, keystrokes and a scroll on the benchmark document of a size.
void documentFigures(std::size_t bytes)
{
    auto* v = view::EditorView::create(nullptr);
    HWND h = v->handle();
    bench::buildDocument(h, bytes);
    Editor& e = *findEditor(h);
    std::printf("document: %.1f MB, %llu characters, %zu lines\n", e.doc.length() / 1048576.0,
                static_cast<unsigned long long>(e.doc.length()), e.doc.lineCount());

    auto t0 = Clock::now();
    view::DocLayout ours(e);
    ours.sync(900 + 2 * view::DocLayout::kMargin);
    double oursMs = ms(t0);

    QTextDocument peer;
    auto t1 = Clock::now();
    buildPeer(e, peer);
    double buildMs = ms(t1);
    auto t2 = Clock::now();
    peer.setTextWidth(900);
    double height = peer.documentLayout()->documentSize().height();
    double peerMs = ms(t2);
    std::printf("%-40s %9.1f ms  (%d px high)\n", "layout, ours", oursMs, ours.height());
    std::printf("%-40s %9.1f ms  (%.0f px high; building it took %.1f ms)\n", "layout, QTextDocument", peerMs, height, buildMs);
    std::printf("%-40s %9.2f  (goal: at most 1)\n", "ratio ours / QTextDocument", oursMs / peerMs);

    v->resize(900 + 20, 700);
    v->show();
    v->layout();
    EditorMoveCaret(h, static_cast<int>(e.doc.length() / 2), -1, 1);
    v->setFocus();
    v->verticalScrollBar()->setValue(v->verticalScrollBar()->value() + v->caretRect().y() - v->viewport()->height() / 2);
    // Painting into a pixmap of the window's size: offscreen windows are never exposed.
    QPixmap frame(v->viewport()->size());
    std::vector<double> keys;
    for (int i = 0; i < 101; ++i) {
        auto k = Clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(v, &press);
        QRect area = v->lastEditArea();   // what the view asked to repaint
        v->viewport()->render(&frame, area.topLeft(), QRegion(area));
        keys.push_back(ms(k));
    }
    std::nth_element(keys.begin(), keys.begin() + 50, keys.end());
    std::printf("%-40s %9.3f ms  (goal: under 2 ms)\n", "keystroke to repaint, median of 101", keys[50]);

    QScrollBar* bar = v->verticalScrollBar();
    bar->setValue(0);
    double slowest = 0;
    int frames = 0;
    for (int y = 0; y <= bar->maximum(); y += bar->pageStep() / 2, ++frames) {
        auto f = Clock::now();
        bar->setValue(y);
        v->viewport()->render(&frame);
        slowest = std::max(slowest, ms(f));
    }
    std::printf("%-40s %9.3f ms  over %d frames (goal: under 16 ms)\n", "scroll top to bottom, slowest frame", slowest, frames);
    delete v;
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    documentFigures(std::size_t(1) << 20);
    documentFigures(std::size_t(5) << 20);
    std::vector<double> keys;

    // One paragraph of a million characters, words of eight letters: the view lays out the
    // whole paragraph again for each key.
    auto* v = view::EditorView::create(nullptr);
    HWND h = v->handle();
    std::string words;
    for (int i = 0; words.size() < (1u << 20); ++i)
        words += "letters ";
    EditorSetLineChars(h, 0, "", nullptr);
    EditorAppendText(h, (words + "\x15").c_str(), 0, 0, 0, -1, 0);
    auto tl = Clock::now();
    view::DocLayout fresh(*findEditor(h));
    fresh.sync(900 + 2 * view::DocLayout::kMargin);
    double longLayout = ms(tl);
    v->resize(900 + 20, 700);
    v->show();
    v->layout();
    EditorMoveCaret(h, static_cast<int>(words.size() / 2), -1, 1);
    v->setFocus();
    v->verticalScrollBar()->setValue(v->verticalScrollBar()->value() + v->caretRect().y() - v->viewport()->height() / 2);
    QPixmap longFrame(v->viewport()->size());
    keys.clear();
    for (int i = 0; i < 21; ++i) {
        auto k = Clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(v, &press);
        QRect area = v->lastEditArea();
        v->viewport()->render(&longFrame, area.topLeft(), QRegion(area));
        keys.push_back(ms(k));
    }
    std::nth_element(keys.begin(), keys.begin() + 10, keys.end());
    std::printf("%-40s %9.1f ms\n", "layout of a 1,000,000-character paragraph", longLayout);
    std::printf("%-40s %9.3f ms  (median of 21)\n", "  keystroke to repaint in its middle", keys[10]);
    delete v;
    return 0;
}
