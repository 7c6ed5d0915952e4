// The clipboard: the selection as plain text and RTF; pasting RTF or text through the model's edits.
#include "platform/editor/view/editor_view.h"
#include "platform/ui/cp1252_text.h"
#include "platform/editor/rtf/rtf_fragment.h"
#include "platform/editor/vek32.h"
#include "platform/ui/ui.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace ks::editor::view {
namespace {

const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

// The visible text of [from, to): paragraph and cell ends as line ends; hidden runs and objects left out.
QString plainText(Editor& e, std::uint64_t from, std::uint64_t to)
{
    QString out;
    char c;
    std::uint16_t font;
    for (std::uint64_t p = from; p < to && e.doc.charAt(p, c, font); ++p) {
        const FontEntry* f = e.fonts.get(font);
        if (f && (f->isObject() || (f->style & kHidden)))
            continue;
        if (endsParagraph(c) || c == kLineBreak)
            out += u'\n';
        else if (c == kNoBreakSpace)
            out += QChar(0xA0);
        else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            out += ui::charFromCp1252(static_cast<unsigned char>(c));
    }
    return out;
}

}

void EditorView::copy()
{
    if (!editor_)
        return;
    std::uint64_t from, to;
    editor_->selectionRange(from, to);
    if (from == to)
        return;
    auto* data = new QMimeData;
    data->setText(plainText(*editor_, from, to));
    QByteArray rtf = QByteArray::fromStdString(rtf::fragmentRtf(*editor_, from, to));
    data->setData(kRtfMime, rtf);
    data->setData(kRtfMimeAlt, rtf);
    QApplication::clipboard()->setMimeData(data);
}

void EditorView::cut()
{
    if (!editable()) {
        ui::Beep();
        return;
    }
    copy();
    EditorDeleteSelection(hwnd_);
    edited();
}

void EditorView::paste()
{
    if (!editable()) {
        ui::Beep();
        return;
    }
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    // RTF is already Windows-1252 (or escapes the model reads): it keeps its formats.
    for (const QString& mime : {kRtfMime, kRtfMimeAlt})
        if (data->hasFormat(mime) && rtf::insertRtf(*editor_, data->data(mime).toStdString())) {
            editor_->typingFont = -1;   // typing goes on in the pasted text's font
            edited();
            return;
        }
    QString text = data->text();
    if (text.isEmpty())
        return;
    ui::Cp1252Text bytes = ui::toCp1252(text);
    EditorInsertText(hwnd_, bytes.bytes.c_str());
    edited();
    if (bytes.replaced > 0)
        ui::MsgBox(QStringLiteral("%1 pasted character(s) cannot be kept in this document and became \"?\".")
                       .arg(bytes.replaced),
                   ui::Exclamation);
}

}
