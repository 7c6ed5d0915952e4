#include "platform/workbook/view/workbook_control.h"

#include "platform/runtime/events.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/grid_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ks::workbook::view {

namespace {
// The text this process last put on the system clipboard: while it is still there, a
// paste takes the copied block (with formulas and formats) rather than the text.
QString& lastPlacedText()
{
    static QString text;
    return text;
}

void placeOnSystemClipboard(const std::string& text)
{
    lastPlacedText() = QString::fromStdString(text);
    QGuiApplication::clipboard()->setText(lastPlacedText());
}
}

WorkbookControl::WorkbookControl(QWidget* parent)
    : QWidget(parent), book_(std::make_unique<Book>()), printer_(std::make_unique<QPrinter>())
{
    editBar_ = new QWidget(this);
    cellName_ = new QLabel(editBar_);
    cellName_->setMinimumWidth(60);
    cellContent_ = new QLineEdit(editBar_);
    cellContent_->setReadOnly(true);
    auto* barLayout = new QHBoxLayout(editBar_);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->addWidget(cellName_);
    barLayout->addWidget(cellContent_, 1);

    grid_ = new GridView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(editBar_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);

    listenerId_ = book_->addChangeListener([this](const BookChange& change) { bookChanged(change); });
    refreshEditBar();
}

WorkbookControl::~WorkbookControl()
{
    book_->removeChangeListener(listenerId_);
    delete grid_;  // before the book it shows
}

void WorkbookControl::bookChanged(const BookChange& change)
{
    grid_->bookChanged(change);
    // The edit bar shows the active cell alone: a change to other cells leaves it as it is,
    // and reading it after each cell of a long paste would recalculate the book every time.
    const CellPos cursor = book_->GetCursorCell();
    if (change.kind == BookChange::Cells && change.sheet >= 0 &&
        (change.sheet != book_->CurrentSheet() - 1 || !change.block.contains(cursor.row, cursor.col)))
        return;
    refreshEditBar();
}

void WorkbookControl::refreshEditBar()
{
    if (!editBarShown_)
        return;
    CellPos c = book_->GetCursorCell();
    std::string formula = book_->SheetFormula(c.row, c.col);
    cellName_->setText(QString::fromStdString(cellName(c.row, c.col)));
    // A hidden cell of a protected sheet keeps its formula to itself.
    bool hidden = book_->SheetProtected() && book_->CellFormatAt(book_->CurrentSheet(), c.row, c.col).hidden;
    if (hidden && !formula.empty())
        cellContent_->clear();
    else
        cellContent_->setText(QString::fromStdString(formula.empty() ? book_->SheetText(c.row, c.col) : "=" + formula));
}

// --- the host window ---

void WorkbookControl::setHostEnabled(bool enabled)
{
    setEnabled(enabled);
}

void WorkbookControl::setHostTag(const std::string& tag)
{
    if (tag == hostTag_)
        return;
    hostTag_ = tag;
    emit hostTagChanged();
}

void WorkbookControl::HostFocus()
{
    grid_->setFocus();
}

void WorkbookControl::setHostZOrder(int position)
{
    zOrder_ = position == 0 ? 0 : 1;
    if (zOrder_ == 0)
        raise();
    else
        lower();
}

double WorkbookControl::HostLeft() const { return pixelsToTwipsX(x()); }
double WorkbookControl::HostTop() const { return pixelsToTwipsY(y()); }
double WorkbookControl::HostWidth() const { return pixelsToTwipsX(width()); }
double WorkbookControl::HostHeight() const { return pixelsToTwipsY(height()); }
void WorkbookControl::setHostLeft(double twips) { move(twipsToPixelsX(twips), y()); }
void WorkbookControl::setHostTop(double twips) { move(x(), twipsToPixelsY(twips)); }
void WorkbookControl::setHostWidth(double twips) { resize(std::max(0, twipsToPixelsX(twips)), height()); }
void WorkbookControl::setHostHeight(double twips) { resize(width(), std::max(0, twipsToPixelsY(twips))); }

void WorkbookControl::setEditBarShown(bool shown)
{
    editBarShown_ = shown;
    editBar_->setVisible(shown);
    refreshEditBar();
}

// --- selection helpers ---

void WorkbookControl::ScrollToCursor()
{
    grid_->scrollToCursor();
}

void WorkbookControl::setSelectionReference(const std::string& reference)
{
    book_->setSelectionReference(reference);
    grid_->scrollToCursor();
}

void WorkbookControl::setCursorNumberFormat(const std::string& format)
{
    Block kept = book_->GetSelectedBlock();
    CellPos c = book_->GetCursorCell();
    book_->SelectBlock(c.row, c.col, c.row, c.col);
    book_->setSelectionNumberFormat(format);
    book_->SelectBlock(kept.row1, kept.col1, kept.row2, kept.col2);
}

void WorkbookControl::setCursorHeading(bool heading)
{
    Block kept = book_->GetSelectedBlock();
    CellPos c = book_->GetCursorCell();
    book_->SelectBlock(c.row, c.col, c.row, c.col);
    Font font = book_->GetSelectionFont();
    font.bold = heading;
    book_->SetSelectionFont(font);
    book_->SelectBlock(kept.row1, kept.col1, kept.row2, kept.col2);
}

void WorkbookControl::EndCellEdit()
{
    grid_->commitEdit();
}

// --- clipboard ---

void WorkbookControl::CopyBlock()
{
    book_->CopyBlock();
    placeOnSystemClipboard(book_->SelectionAsText());
}

void WorkbookControl::CutBlock()
{
    std::string text = book_->SelectionAsText();
    book_->CutBlock();
    placeOnSystemClipboard(text);
}

void WorkbookControl::PasteBlock()
{
    QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty() && text != lastPlacedText())
        book_->PasteText(text.toStdString());
    else
        book_->PasteBlock(PasteWhat::All);
}

void WorkbookControl::PasteSpecial(int what, int operation)
{
    static const PasteWhat kinds[] = {PasteWhat::All, PasteWhat::Formulas, PasteWhat::Values, PasteWhat::Formats};
    if (what < 1 || what > 4 || operation != 0)
        workbook::raise(kErrBadArgument, "Invalid paste option");
    book_->PasteBlock(kinds[what - 1]);
}

std::string WorkbookControl::ClipboardText() const
{
    return lastPlacedText().toStdString();
}

// --- files ---

template <class Action>
void WorkbookControl::withHourglassEvent(Action&& action)
{
    dispatch(HourglassEvent);
    grid_->cancelEdit();
    action();
}

void WorkbookControl::ReadBookFile(const std::string& path, int& type)
{
    withHourglassEvent([&] { type = book_->ReadBookFile(path); });
}

void WorkbookControl::LoadBookFile(const std::string& path)
{
    withHourglassEvent([&] { book_->LoadBookFile(path); });
}

void WorkbookControl::WriteBookFile(const std::string& path, int type)
{
    withHourglassEvent([&] { book_->WriteBookFile(path, type); });
}

void WorkbookControl::WriteBookAs(const std::string& path, int type)
{
    withHourglassEvent([&] { book_->WriteBookAs(path, type); });
}

// --- events ---

template <class Handler, class... Args>
void WorkbookControl::dispatch(const Handler& handler, Args&&... args)
{
    if (!handler)
        return;
    try {
        handler(std::forward<Args>(args)...);
    } catch (const RuntimeError& e) {
        // A handler that passes a failure on must not take the control down with it.
        ui::showFailure(e, QString::fromStdString(title_));
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::OKOnly, QString::fromStdString(title_));
    }
}

bool WorkbookControl::raiseKeyDown(int& keyCode, int shift)
{
    dispatch(KeyDown, keyCode, shift);
    return keyCode != 0;
}

void WorkbookControl::raiseKeyUp(int keyCode, int shift) { dispatch(KeyUp, keyCode, shift); }
void WorkbookControl::raiseStartEdit() { dispatch(StartEdit); }
void WorkbookControl::raiseEndEdit(std::string& text) { dispatch(EndEdit, text); }
void WorkbookControl::raiseClick(int row, int col) { dispatch(Click, row, col); }
void WorkbookControl::raiseObjValueChanged(const std::string& name, int id) { dispatch(ObjValueChanged, name, id); }

}
