#include "platform/editor/view/notes_control.h"
#include "platform/editor/model/commands.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "platform/ui/cp1252_text.h"

#include <QAction>
#include <QHash>
#include <QToolBar>
#include <QVBoxLayout>

namespace ks::editor::view {
namespace {

QHash<HWND, NotesControl*>& controls()
{
    static QHash<HWND, NotesControl*> byWindow;
    return byWindow;
}

// Runs a program's own edit: no change notice, and the modified flag as it was.
template <class Body>
int quietly(HWND h, bool& guard, Body&& body)
{
    Editor* e = findEditor(h);
    bool wasModified = e && e->modified;
    guard = true;
    int result = body();
    guard = false;
    if (e)
        e->modified = wasModified;
    return result;
}

}

NotesControl::NotesControl(QWidget* parent) : QWidget(parent)
{
    view_ = EditorView::create(this);
    controls().insert(hWnd(), this);
    EditorSetHostCallback(hWnd(), &NotesControl::hostEvents);
    buildToolbar();
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(toolbar_);
    box->addWidget(view_, 1);
    connect(view_, &EditorView::viewOptionsChanged, this, [this] { toolbar_->setVisible(toolbarVisible()); });
    connect(view_, &EditorView::caretMoved, this, &NotesControl::syncToolbar);
    toolbar_->setVisible(false);
    setFocusProxy(view_);
}

NotesControl::~NotesControl() { controls().remove(hWnd()); }

HWND NotesControl::hWnd() const { return view_->handle(); }

LRESULT NotesControl::hostEvents(HWND window, UINT message, WPARAM, LPARAM)
{
    NotesControl* c = controls().value(window);
    if (c && message == kEventChanged && !c->programEdit_)
        emit c->changed();
    return 0;
}

int NotesControl::loadFile(const QString& path)
{
    int loaded = quietly(hWnd(), programEdit_, [&] { return VekLoadFile(hWnd(), path.toStdString().c_str()); });
    if (loaded) {
        EditorSetModified(hWnd(), 0);
        view_->layout();
        view_->viewport()->update();
        syncToolbar();
    }
    return loaded;
}

int NotesControl::saveFile(const QString& path) { return SaveVekFile(hWnd(), path.toStdString().c_str()); }

int NotesControl::fillMergeField(const QString& name, const QString& value)
{
    std::string n = ui::toCp1252(name).bytes, v = ui::toCp1252(value).bytes;
    int filled = quietly(hWnd(), programEdit_, [&] { return EditorFillMergeField(hWnd(), n.c_str(), v.c_str()); });
    view_->viewport()->update();
    return filled;
}

void NotesControl::showToolbar(bool show) { VekShowToolbar(hWnd(), show ? 1 : 0); }

bool NotesControl::toolbarVisible() const { return VekToolbarVisible(hWnd()) != 0; }

void NotesControl::buildToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setFocusPolicy(Qt::NoFocus);
    auto styled = [&](const QString& label, const QString& tip, unsigned bit, auto setFont) {
        QAction* a = toolbar_->addAction(label, this, [this, bit] { toggleStyle(bit); });
        a->setToolTip(tip);
        a->setCheckable(true);
        QFont f = font();
        setFont(f);
        a->setFont(f);
        return a;
    };
    bold_ = styled("B", tr("Bold"), kBold, [](QFont& f) { f.setBold(true); });
    italic_ = styled("I", tr("Italic"), kItalic, [](QFont& f) { f.setItalic(true); });
    underline_ = styled("U", tr("Underline"), kUnderline, [](QFont& f) { f.setUnderline(true); });
    toolbar_->addSeparator();
    toolbar_->addAction(tr("Left"), this, [this] { align(kAlignLeft); })->setToolTip(tr("Align left"));
    toolbar_->addAction(tr("Centre"), this, [this] { align(kAlignCentre); })->setToolTip(tr("Centre"));
    toolbar_->addAction(tr("Right"), this, [this] { align(kAlignRight); })->setToolTip(tr("Align right"));
    toolbar_->addSeparator();
    bullets_ = toolbar_->addAction(QString(QChar(0x2022)) + tr(" List"), this, [this] { toggleBullets(); });
    bullets_->setToolTip(tr("Bulleted list"));
    bullets_->setCheckable(true);
}

void NotesControl::syncToolbar()
{
    Editor* e = findEditor(hWnd());
    if (!e)
        return;
    std::uint32_t style = view_->caretStyle();
    bold_->setChecked(style & kBold);
    italic_->setChecked(style & kItalic);
    underline_->setChecked(style & kUnderline);
    bullets_->setChecked(e->formatOf(e->doc.paraOfLine(e->caret.line)).listFormat != 0);
}

void NotesControl::toggleStyle(unsigned bit)
{
    Editor* e = findEditor(hWnd());
    if (!e || e->readOnly)
        return;
    EditorSetCharStyle(hWnd(), bit, view_->caretStyle() & bit ? 0 : 1, 1);
    view_->setFocus();
    syncToolbar();
    view_->viewport()->update();
}

void NotesControl::align(unsigned bit)
{
    if (EditorGetReadOnly(hWnd()))
        return;
    EditorSetParaFlags(hWnd(), bit, 1, 1);
    view_->setFocus();
    view_->viewport()->update();
}

// Bullets on the selected paragraphs, or off when the first of them has them already.
void NotesControl::toggleBullets()
{
    Editor* e = findEditor(hWnd());
    if (!e || e->readOnly)
        return;
    std::size_t first, last;
    e->selectedParagraphs(first, last);
    bool on = e->formatOf(first).listFormat == 0;
    int list = on ? EditorMakeListFormat(hWnd(), 1, 1, 0, 0) : 0;
    for (std::size_t p = first; p <= last; ++p) {
        ParaFormat f = e->formatOf(p);
        f.listFormat = list;
        f.leftIndent = on ? std::max(f.leftIndent, 360) : 0;
        f.firstIndent = on ? -360 : 0;
        int line = static_cast<int>(e->doc.firstLineOf(p));
        int id = EditorMakeParaFormatEx(hWnd(), -1, 1, f.leftIndent, f.rightIndent, f.firstIndent, f.opaque4,
                                        f.opaque5, f.typeWord, f.ruleValue, f.styleFlags, f.spaceBefore,
                                        f.spaceAfter, f.lineValue, f.flags, f.listFormat, f.background);
        EditorApplyParaFormat(hWnd(), line, line, id);
    }
    view_->setFocus();
    syncToolbar();
    view_->viewport()->update();
}

}
