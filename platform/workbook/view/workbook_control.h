#pragma once
// The spreadsheet control: one widget that shows the current sheet of its book, lets the
// user edit it, and offers the workbook's operations under the names the programs use.
// Non-visual operations go straight to the book; events are plain callables named after
// the events, called on the user-interface thread in the order the programs rely on:
//   StartEdit when an in-cell edit starts; EndEdit(text) before the text is committed;
//   KeyDown(key) and KeyUp(key) for keys the grid receives (the key that ends an edit is
//   released after the commit; Delete clears the selection between the two);
//   Click(row, column) after a click, with the clicked cell active (an edit that was open
//   is committed first); ObjValueChanged(name, id) when the user picks in a drop-down;
//   HourglassEvent around file reads and writes.
// Each of those has one handler, the window the control sits in: EndEdit and KeyDown take
// its answer back, and the control catches a failing handler so that the grid goes on,
// which a Qt slot must not rely on. A change of the host tag is a Qt signal, for whoever
// keeps state in the tag.
#include "platform/workbook/engine/book.h"

#include <QPrinter>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;

namespace ks::workbook::view {

class GridView;

class WorkbookControl : public QWidget {
    Q_OBJECT
public:
    explicit WorkbookControl(QWidget* parent = nullptr);
    ~WorkbookControl() override;

    Book& book() { return *book_; }
    const Book& book() const { return *book_; }
    GridView& grid() { return *grid_; }

    // Events.
    std::function<void(int row, int col)> Click;
    std::function<void()> StartEdit;
    std::function<void(std::string& text)> EndEdit;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int keyCode, int shift)> KeyUp;
    std::function<void(const std::string& name, int id)> ObjValueChanged;
    std::function<void()> HourglassEvent;

    // The host window. Positions and sizes are twips.
    bool HostVisible() const { return !isHidden(); }
    void setHostVisible(bool visible) { setVisible(visible); }
    bool HostEnabled() const { return isEnabled(); }
    void setHostEnabled(bool enabled);
    std::string HostTag() const { return hostTag_; }
    // Hosts keep their own state in the tag; hostTagChanged tells them when it changes.
    void setHostTag(const std::string& tag);
    void HostFocus();
    int HostZOrder() const { return zOrder_; }
    void setHostZOrder(int position);  // 0 front, 1 back
    double HostLeft() const;
    double HostTop() const;
    double HostWidth() const;
    double HostHeight() const;
    void setHostLeft(double twips);
    void setHostTop(double twips);
    void setHostWidth(double twips);
    void setHostHeight(double twips);

    // Cells.
    int CurrentSheet() const { return book_->CurrentSheet(); }
    void setCurrentSheet(int sheet) { book_->setCurrentSheet(sheet); }
    double BookNumber(int s, int r, int c) const { return book_->BookNumber(s, r, c); }
    void setBookNumber(int s, int r, int c, double v) { book_->setBookNumber(s, r, c, v); }
    std::string BookText(int s, int r, int c) const { return book_->BookText(s, r, c); }
    void setBookText(int s, int r, int c, const std::string& t) { book_->setBookText(s, r, c, t); }
    double SheetNumber(int r, int c) const { return book_->SheetNumber(r, c); }
    void setSheetNumber(int r, int c, double v) { book_->setSheetNumber(r, c, v); }
    std::string SheetText(int r, int c) const { return book_->SheetText(r, c); }
    void setSheetText(int r, int c, const std::string& t) { book_->setSheetText(r, c, t); }
    std::string SheetFormula(int r, int c) const { return book_->SheetFormula(r, c); }
    void setSheetFormula(int r, int c, const std::string& f) { book_->setSheetFormula(r, c, f); }
    std::string SheetShownText(int r, int c) const { return book_->SheetShownText(r, c); }
    void RecalculateBook() { book_->RecalculateBook(); }

    // Selection and cursor.
    CellPos GetCursorCell() const { return book_->GetCursorCell(); }
    void PlaceCursor(int row, int col) { book_->PlaceCursor(row, col); }
    void ScrollToCursor();
    void SelectBlock(int r1, int c1, int r2, int c2) { book_->SelectBlock(r1, c1, r2, c2); }
    Block GetSelectedBlock() const { return book_->GetSelectedBlock(); }
    void ClearBlock(int r1, int c1, int r2, int c2, int kind) { book_->ClearBlock(r1, c1, r2, c2, kind); }
    std::string NameReference(const std::string& name) const { return book_->NameReference(name); }
    std::string SelectionReference() const { return book_->SelectionReference(); }
    void setSelectionReference(const std::string& reference);
    std::string SelectionNumberFormat() const { return book_->SelectionNumberFormat(); }
    void setSelectionNumberFormat(const std::string& f) { book_->setSelectionNumberFormat(f); }
    void SetSelectionAlignment(int h, bool wrap, int v, int orientation) { book_->SetSelectionAlignment(h, wrap, v, orientation); }
    Pattern GetSelectionPattern() const { return book_->GetSelectionPattern(); }
    void SetSelectionPattern(int p, std::int32_t fg, std::int32_t bg) { book_->SetSelectionPattern(p, fg, bg); }
    BorderState GetSelectionBorder() const { return book_->GetSelectionBorder(); }
    void SetSelectionBorder(int outline, int l, int r, int t, int b, int shade, std::int32_t outlineColor,
                            std::int32_t lc, std::int32_t rc, std::int32_t tc, std::int32_t bc)
    {
        book_->SetSelectionBorder(outline, l, r, t, b, shade, outlineColor, lc, rc, tc, bc);
    }
    void SetSelectionProtection(bool locked, bool hidden) { book_->SetSelectionProtection(locked, hidden); }
    bool RowHiddenFlag(int row) const { return book_->RowHiddenFlag(row); }
    void setRowHiddenFlag(int row, bool hidden) { book_->setRowHiddenFlag(row, hidden); }
    // The active cell's number format, and the heading look (bold) of the active cell.
    void setCursorNumberFormat(const std::string& format);
    void setCursorHeading(bool heading);

    // Sheet state and the display settings the programs set without a settled role:
    // they are kept and read back.
    bool SheetProtected() const { return book_->SheetProtected(); }
    void setSheetProtected(bool on) { book_->setSheetProtected(on); }
    bool EditBarShown() const { return editBarShown_; }
    void setEditBarShown(bool shown);
    std::string ControlTitle() const { return title_; }
    void setControlTitle(const std::string& title) { title_ = title; }
    bool ViewSwitchA() const { return switches_[0]; }
    void setViewSwitchA(bool on) { switches_[0] = on; }
    bool ViewSwitchB() const { return switches_[1]; }
    void setViewSwitchB(bool on) { switches_[1] = on; }
    int ViewNumberA() const { return numbers_[0]; }
    void setViewNumberA(int value) { numbers_[0] = value; }
    int ViewNumberB() const { return numbers_[1]; }
    void setViewNumberB(int value) { numbers_[1] = value; }
    int ViewNumberC() const { return numbers_[2]; }
    void setViewNumberC(int value) { numbers_[2] = value; }
    int ViewNumberD() const { return numbers_[3]; }
    void setViewNumberD(int value) { numbers_[3] = value; }
    int ViewNumberE() const { return numbers_[4]; }
    void setViewNumberE(int value) { numbers_[4] = value; }
    int ViewNumberF() const { return numbers_[5]; }
    void setViewNumberF(int value) { numbers_[5] = value; }
    int ViewNumberG() const { return numbers_[6]; }
    void setViewNumberG(int value) { numbers_[6] = value; }
    int ViewNumberH() const { return numbers_[7]; }
    void setViewNumberH(int value) { numbers_[7] = value; }
    std::string BookCaption() const { return caption_; }
    void setBookCaption(const std::string& caption) { caption_ = caption; }
    bool PrintSwitch() const { return printSwitch_; }
    void setPrintSwitch(bool on) { printSwitch_ = on; }

    // Printing.
    void PrintRangeFromSelection() { book_->PrintRangeFromSelection(); }
    std::string PrintHeaderText() const { return book_->PrintHeaderText(); }
    void setPrintHeaderText(const std::string& t) { book_->setPrintHeaderText(t); }
    std::string PrintFooterText() const { return book_->PrintFooterText(); }
    void setPrintFooterText(const std::string& t) { book_->setPrintFooterText(t); }
    void SetPrintScale(int percent, bool fit, int tall, int wide) { book_->SetPrintScale(percent, fit, tall, wide); }
    void SetPrintTitles(int rows, int columns) { book_->SetPrintTitles(rows, columns); }
    void setPrintLandscape(bool landscape) { book_->setPrintLandscape(landscape); }
    // A manual row break wherever the printout on this control's printer starts a page, so
    // that a program reading the exported file breaks the pages where ours does.
    void SetRowBreaksAsPrinted();
    void AddPageBreak() { book_->AddPageBreak(); }
    void SetRowPageBreak(int row) { book_->SetRowPageBreak(row); }
    // Prints the current sheet; without the dialog it needs a default printer (20024).
    void PrintBook(bool withDialog);
    void PageSetupDialog();
    void PrinterSetupDialog();
    void ShowPrintPreview();
    QPrinter& printer() { return *printer_; }

    // The control's own dialogs. FormatDialog pages: 2 alignment, 4 font, 24 and 56
    // number format and protection. Cancelling any of them changes nothing.
    void FormatDialog(int page);
    // Whether the user confirmed, and so pasted.
    bool PasteSpecialDialog();
    // Raises 20023 when cancelled; otherwise leaves the chosen name and type in choice.
    void SaveDialog(const std::string& title, FileChoice& choice);
    // "" when cancelled.
    std::string OpenDialog(const std::string& title, int kind);

    // Clipboard: the book's own blocks between controls, tab-separated text for others.
    void CopyBlock();
    void CutBlock();
    // Pastes what the clipboard holds: the copied block, or text another program put there.
    void PasteBlock();
    // Pastes the copied block: what 1 all, 2 formulas, 3 values, 4 formats; operation 0.
    void PasteSpecial(int what, int operation);
    // The copied block as text; "" when nothing was copied.
    std::string ClipboardText() const;

    // Objects.
    int AddPictureObject(double left, double top, double right, double bottom, const std::string& data,
                         int mappingMode, double width, double height)
    {
        return book_->AddPictureObject(left, top, right, bottom, data, mappingMode, width, height);
    }
    int ListItemCount(int id) const { return book_->ListItemCount(id); }
    int ListSelection(int id) const { return book_->ListSelection(id); }
    void setListSelection(int id, int item) { book_->setListSelection(id, item); }
    std::string ListItemText(int id, int item) const { return book_->ListItemText(id, item); }
    void AppendListItem(int id, const std::string& text) { book_->AppendListItem(id, text); }
    void RemoveListItem(int id, int item) { book_->RemoveListItem(id, item); }

    // Files.
    void ReadBookFile(const std::string& path, int& type);
    void LoadBookFile(const std::string& path);
    void WriteBookFile(const std::string& path, int type);
    void WriteBookAs(const std::string& path, int type);
    std::string BookFileName() const { return book_->BookFileName(); }

    // Commits an in-cell edit that is open, as a click elsewhere would.
    void EndCellEdit();

    // For the grid: raise one event, keeping the dispatch alive when a handler fails.
    // raiseKeyDown answers false when the handler took the key (set it to 0).
    bool raiseKeyDown(int& keyCode, int shift);
    void raiseKeyUp(int keyCode, int shift);
    void raiseStartEdit();
    void raiseEndEdit(std::string& text);
    void raiseClick(int row, int col);
    void raiseObjValueChanged(const std::string& name, int id);

signals:
    void hostTagChanged();

private:
    template <class Handler, class... Args>
    void dispatch(const Handler& handler, Args&&... args);
    template <class Action>
    void withHourglassEvent(Action&& action);
    void bookChanged(const BookChange& change);
    void refreshEditBar();
    bool hasDefaultPrinter() const;
    void keepOrientation();

    std::unique_ptr<Book> book_;
    GridView* grid_ = nullptr;
    QWidget* editBar_ = nullptr;
    QLabel* cellName_ = nullptr;
    QLineEdit* cellContent_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    int listenerId_ = 0;

    std::string hostTag_, title_, caption_;
    int zOrder_ = 0;
    bool editBarShown_ = true;
    std::array<bool, 2> switches_{};
    std::array<int, 8> numbers_{};
    bool printSwitch_ = false;
};

}
