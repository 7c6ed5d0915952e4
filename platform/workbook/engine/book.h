#pragma once
// The workbook: the headless core of the spreadsheet control. Sheets, rows and columns
// count from 1; the Sheet* and selection operations act on the current sheet. Program
// writes bypass protection; user entries, cut and paste respect it. Values are always
// current when read: a change marks what depends on it for recalculation.
#include "platform/workbook/engine/book_data.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/recalc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ks::workbook {

// File types of WriteBookAs, ReadBookFile and the save dialog's FileChoice.
enum FileType : int { kFileXlsx = 4, kFileNative = 5 };

struct FileChoice {
    std::string name;
    int type = kFileNative;
};

// ClearBlock's kinds.
enum ClearKind : int { kClearAll = 1, kClearFormats = 2, kClearContents = 3 };

// What a paste carries.
enum class PasteWhat { All, Formulas, Values, Formats };

// The 9 values of GetSelectionBorder: four edge styles, shade, four edge colours.
struct BorderState {
    int left, right, top, bottom, shade;
    std::int32_t leftColor, rightColor, topColor, bottomColor;
};

// What changed, for the view and other observers. sheet is 0-based (-1: all sheets).
// A change to cells may change any formula's value: whoever shows values reads them again.
struct BookChange {
    enum Kind { Cells, Formats, Layout, Selection, Objects, Sheets, Values, Whole } kind;
    int sheet = -1;
    Block block;
};
using ChangeListener = std::function<void(const BookChange&)>;

class Book {
public:
    Book();
    ~Book();
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    // Observers; the id removes one again.
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int id);

    // Sheets
    int SheetCount() const { return static_cast<int>(data_.sheets.size()); }
    void setSheetCount(int count);  // adds sheets; sheets are never removed
    std::string SheetName(int sheet) const;
    void setSheetName(int sheet, const std::string& name);
    int CurrentSheet() const { return data_.currentSheet + 1; }
    void setCurrentSheet(int sheet);

    // Cells anywhere: an empty cell reads "" and 0, a text reads as number 0.
    double BookNumber(int sheet, int row, int col) const;
    void setBookNumber(int sheet, int row, int col, double value);
    std::string BookText(int sheet, int row, int col) const;
    void setBookText(int sheet, int row, int col, const std::string& text);
    std::string BookFormula(int sheet, int row, int col) const;
    void setBookFormula(int sheet, int row, int col, const std::string& formula);
    Value BookValue(int sheet, int row, int col) const;
    // Cells of the current sheet.
    double SheetNumber(int row, int col) const;
    void setSheetNumber(int row, int col, double value);
    std::string SheetText(int row, int col) const;
    void setSheetText(int row, int col, const std::string& text);
    std::string SheetFormula(int row, int col) const;  // "" for a constant
    void setSheetFormula(int row, int col, const std::string& formula);
    std::string SheetShownText(int row, int col) const;
    void RecalculateBook();
    // A user's entry: "=..." a formula, a number's text a number, else a text; respects protection.
    void EnterCellText(int row, int col, const std::string& text);
    // The user's Delete key: empties the selection's contents; respects protection.
    void DeleteSelection();
    bool CellLocked(int row, int col) const;  // locked and on a protected sheet
    const CellFormat& CellFormatAt(int sheet, int row, int col) const;

    // Selection and cursor of the current sheet.
    CellPos GetCursorCell() const;
    void PlaceCursor(int row, int col);
    void SelectBlock(int row1, int col1, int row2, int col2);
    Block GetSelectedBlock() const;
    void ClearBlock(int row1, int col1, int row2, int col2, int kind);
    std::string SelectionReference() const;
    // Selects a reference ("Sheet!$B$4:$C$4", "B4") or a defined name, showing its sheet.
    void setSelectionReference(const std::string& reference);

    // Defined names.
    void DefineName(const std::string& name, const std::string& reference);
    void DeleteName(const std::string& name);
    std::string NameReference(const std::string& name) const;  // "" when undefined
    std::vector<std::string> NameList() const;

    // Formats of the selection.
    std::string SelectionNumberFormat() const;
    void setSelectionNumberFormat(const std::string& format);
    // horizontal 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify; vertical 1 top, 2 centre, 3 bottom.
    void SetSelectionAlignment(int horizontal, bool wrap, int vertical, int orientation);
    Pattern GetSelectionPattern() const;
    void SetSelectionPattern(int pattern, std::int32_t foreground, std::int32_t background);
    BorderState GetSelectionBorder() const;
    // -1 leaves a value unchanged; the outline draws around the whole block.
    void SetSelectionBorder(int outline, int left, int right, int top, int bottom, int shade,
                            std::int32_t outlineColor, std::int32_t leftColor, std::int32_t rightColor,
                            std::int32_t topColor, std::int32_t bottomColor);
    void SetSelectionProtection(bool locked, bool hidden);
    Font GetSelectionFont() const;
    void SetSelectionFont(const Font& font);

    // Rows and columns of the current sheet.
    bool RowHiddenFlag(int row) const;
    void setRowHiddenFlag(int row, bool hidden);
    double RowHeight(int row) const;  // points; 0 = default
    void setRowHeight(int row, double points);
    double ColumnWidth(int col) const;  // characters; 0 = default
    void setColumnWidth(int col, double characters);
    bool SheetProtected() const;
    void setSheetProtected(bool on);

    // Printing setup of the current sheet.
    void PrintRangeFromSelection();
    const PrintSetup& Print() const;
    std::string PrintHeaderText() const { return Print().header; }
    void setPrintHeaderText(const std::string& text);
    std::string PrintFooterText() const { return Print().footer; }
    void setPrintFooterText(const std::string& text);
    void SetPrintScale(int percent, bool fitToPages, int pagesTall, int pagesWide);
    void SetPrintTitles(int rows, int columns);
    void setPrintLandscape(bool landscape);
    void AddPageBreak();  // before the cursor's row, and column when not the first
    void SetRowPageBreak(int row);
    std::vector<int> RowPageBreaks() const;
    std::vector<int> ColumnPageBreaks() const;

    // Clipboard: an internal one shared by all books, and tab-separated text for others.
    void CopyBlock();
    void CutBlock();
    void PasteBlock(PasteWhat what = PasteWhat::All);
    std::string SelectionAsText() const;
    void PasteText(const std::string& tabSeparated);

    // Objects, addressed by id across the book.
    int AddPictureObject(double left, double top, double right, double bottom, const std::string& data,
                         int mappingMode, double width, double height);
    int AddListObject(double left, double top, double right, double bottom, const std::string& name);
    void setListSource(int id, const std::string& reference);  // items from cells of its sheet
    void setListLinkedCell(int id, int row, int col);
    int ListItemCount(int id) const;
    int ListSelection(int id) const;
    void setListSelection(int id, int item);  // -1 for none; writes the linked cell
    std::string ListItemText(int id, int item) const;
    void AppendListItem(int id, const std::string& text);
    void RemoveListItem(int id, int item);
    const ListObject* FindList(int id) const;
    std::vector<const ListObject*> ListObjects(int sheet) const;
    std::vector<const PictureObject*> PictureObjects(int sheet) const;

    // Files. A failed read raises 20012 and leaves the book as it was; a write goes to a
    // temporary file beside the target and is renamed over it.
    int ReadBookFile(const std::string& path);  // returns the file type read
    void LoadBookFile(const std::string& path);
    void WriteBookFile(const std::string& path, int type);
    void WriteBookAs(const std::string& path, int type);
    std::string BookFileName() const { return data_.fileName; }

    // The date TODAY gives, as a day number; the system date by default.
    void setClock(std::function<double()> today);

    // For the file writers and the view: the whole content, values current.
    const BookData& data() const;

private:
    class Source;
    friend class Source;
    Sheet& sheetAt(int sheet);              // 1-based, checked
    const Sheet& sheetAt(int sheet) const;
    Sheet& current() { return data_.sheets[static_cast<std::size_t>(data_.currentSheet)]; }
    const Sheet& current() const { return data_.sheets[static_cast<std::size_t>(data_.currentSheet)]; }
    const Cell* cellAt(int sheet, int row, int col) const;
    void checkCell(int row, int col) const;
    void ensureCurrent() const;
    void putValue(int sheet, int row, int col, Value value);
    void putFormula(int sheet, int row, int col, FormulaPtr formula);
    void notify(BookChange::Kind kind, int sheet, Block block = {}) const;
    template <class Change>
    void restyleSelection(Change&& change);
    void restyleBlock(int sheet, const Block& block, const std::function<void(CellFormat&, int, int)>& change);
    void requireUnlocked(const Block& block) const;
    Area parseArea(const std::string& reference) const;
    ListObject& listById(int id);
    const ListObject& listById(int id) const;
    int sheetOfList(int id) const;
    void replaceData(BookData&& fresh);

    BookData data_;
    mutable Recalc recalc_;
    std::unique_ptr<Source> source_;
    std::function<double()> today_;
    std::vector<std::pair<int, ChangeListener>> listeners_;
    int nextListenerId_ = 1;
};

}
