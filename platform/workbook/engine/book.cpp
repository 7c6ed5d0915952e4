#include "platform/workbook/engine/book.h"

#include "platform/workbook/engine/date_serial.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/number_format.h"

#include <algorithm>
#include <utility>

namespace ks::workbook {

namespace {
// What a read of no cell gives. Not a static inside valueAt: every read would test its guard.
const Value kNoCell;
}

// The evaluator's view of the book's cells.
class Book::Source : public CellSource {
public:
    explicit Source(const Book& book) : book_(book) {}

    const Value& valueAt(int sheet, int row, int col) const override
    {
        const auto& sheets = book_.data_.sheets;
        if (static_cast<std::size_t>(sheet) >= sheets.size())
            return kNoCell;
        const Cell* cell = sheets[static_cast<std::size_t>(sheet)].find(row, col);
        return cell ? cell->value : kNoCell;
    }
    void forEachValue(const Area& area, const std::function<void(const Value&)>& visit) const override
    {
        if (area.sheet < 0 || area.sheet >= book_.SheetCount())
            return;
        book_.data_.sheets[static_cast<std::size_t>(area.sheet)].forEachInBlock(
            area.block, [&](int, int, const Cell& cell) {
                if (!cell.value.isEmpty())
                    visit(cell.value);
            });
    }
    std::optional<Area> nameArea(const std::string& name) const override
    {
        auto it = book_.data_.names.find(upperName(name));
        if (it == book_.data_.names.end() || it->second.areas.size() != 1)
            return std::nullopt;
        return it->second.areas.front();
    }
    double today() const override { return book_.today_ ? book_.today_() : todaySerial(); }

private:
    const Book& book_;
};

Book::Book() : source_(std::make_unique<Source>(*this)) {}

Book::~Book() = default;

int Book::addChangeListener(ChangeListener listener)
{
    listeners_.emplace_back(nextListenerId_, std::move(listener));
    return nextListenerId_++;
}

void Book::removeChangeListener(int id)
{
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Book::notify(BookChange::Kind kind, int sheet, Block block) const
{
    BookChange change{kind, sheet, block};
    for (const auto& [id, listener] : listeners_)
        listener(change);
}

void Book::setSheetCount(int count)
{
    if (count < SheetCount() || count > kMaxSheets)
        raise(kErrBadArgument, "Invalid sheet count " + std::to_string(count));
    while (SheetCount() < count)
        data_.sheets.emplace_back("Sheet" + std::to_string(SheetCount() + 1));
    notify(BookChange::Sheets, -1);
}

std::string Book::SheetName(int sheet) const
{
    return sheetAt(sheet).name;
}

void Book::setSheetName(int sheet, const std::string& name)
{
    if (name.empty() || name.size() > 31 || name.find_first_of("![]*?/\\:") != std::string::npos ||
        name.front() == '\'' || name.back() == '\'')
        raise(kErrBadArgument, "Invalid sheet name \"" + name + "\"");
    int other = data_.sheetNames().find(name);
    if (other >= 0 && other != sheet - 1)
        raise(kErrBadArgument, "Sheet name \"" + name + "\" is in use");
    sheetAt(sheet).name = name;
    for (const Sheet& s : data_.sheets)
        s.forEachCell([](int, int, const Cell& cell) {
            if (cell.formula)
                cell.formula->text.clear();  // the texts naming the sheet change
        });
    notify(BookChange::Sheets, sheet - 1);
}

void Book::setCurrentSheet(int sheet)
{
    sheetAt(sheet);
    data_.currentSheet = sheet - 1;
    notify(BookChange::Selection, sheet - 1);
}

Sheet& Book::sheetAt(int sheet)
{
    return const_cast<Sheet&>(std::as_const(*this).sheetAt(sheet));
}

const Sheet& Book::sheetAt(int sheet) const
{
    if (sheet < 1 || sheet > SheetCount())
        raise(kErrBadArgument, "Invalid sheet number " + std::to_string(sheet));
    return data_.sheets[static_cast<std::size_t>(sheet) - 1];
}

void Book::checkCell(int row, int col) const
{
    if (!validCell(row, col))
        raise(kErrBadArgument, "Invalid cell (" + std::to_string(row) + ", " + std::to_string(col) + ")");
}

const Cell* Book::cellAt(int sheet, int row, int col) const
{
    const Sheet& s = sheetAt(sheet);
    checkCell(row, col);
    // Only a formula's value waits on the recalculation: a constant is as it was entered.
    const Cell* cell = s.find(row, col);
    if (!cell || !cell->formula || !recalc_.pending())
        return cell;
    ensureCurrent();
    return s.find(row, col);
}

void Book::ensureCurrent() const
{
    if (recalc_.pending())
        recalc_.ensureCurrent(const_cast<BookData&>(data_), *source_);
}

const BookData& Book::data() const
{
    ensureCurrent();
    return data_;
}

Value Book::BookValue(int sheet, int row, int col) const
{
    const Cell* cell = cellAt(sheet, row, col);
    return cell ? cell->value : Value{};
}

double Book::BookNumber(int sheet, int row, int col) const
{
    return numberOf(BookValue(sheet, row, col));
}

std::string Book::BookText(int sheet, int row, int col) const
{
    return textOf(BookValue(sheet, row, col));
}

std::string Book::BookFormula(int sheet, int row, int col) const
{
    // A formula's text needs no recalculation.
    checkCell(row, col);
    const Cell* cell = sheetAt(sheet).find(row, col);
    return cell && cell->formula ? printFormula(*cell->formula, data_.sheetNames()) : "";
}

void Book::putValue(int sheet, int row, int col, Value value)
{
    Sheet& s = sheetAt(sheet);
    checkCell(row, col);
    Cell* existing = s.findMutable(row, col);
    if (!existing && value.isEmpty())
        return;
    Cell& cell = existing ? *existing : s.at(row, col);
    if (cell.formula) {
        cell.formula.reset();
        recalc_.invalidate();
    } else {
        recalc_.valueChanged(sheet - 1, row, col);
    }
    cell.value = std::move(value);
    notify(BookChange::Cells, sheet - 1, {row, col, row, col});
}

void Book::putFormula(int sheet, int row, int col, FormulaPtr formula)
{
    Cell& cell = sheetAt(sheet).at(row, col);
    cell.formula = std::move(formula);
    cell.value = Value{};
    recalc_.invalidate();
    notify(BookChange::Cells, sheet - 1, {row, col, row, col});
}

void Book::setBookNumber(int sheet, int row, int col, double value)
{
    putValue(sheet, row, col, Value::ofNumber(value));
}

void Book::setBookText(int sheet, int row, int col, const std::string& text)
{
    putValue(sheet, row, col, text.empty() ? Value{} : Value::ofText(text));
}

void Book::setBookFormula(int sheet, int row, int col, const std::string& formula)
{
    sheetAt(sheet);
    checkCell(row, col);
    std::string body = formula;
    if (!body.empty() && body[0] == '=')
        body.erase(0, 1);
    if (body.find_first_not_of(' ') == std::string::npos) {
        putValue(sheet, row, col, Value{});
        return;
    }
    putFormula(sheet, row, col, parseFormula(body, data_.sheetNames()));
}

double Book::SheetNumber(int row, int col) const { return BookNumber(CurrentSheet(), row, col); }
void Book::setSheetNumber(int row, int col, double value) { setBookNumber(CurrentSheet(), row, col, value); }
std::string Book::SheetText(int row, int col) const { return BookText(CurrentSheet(), row, col); }
void Book::setSheetText(int row, int col, const std::string& text) { setBookText(CurrentSheet(), row, col, text); }
std::string Book::SheetFormula(int row, int col) const { return BookFormula(CurrentSheet(), row, col); }
void Book::setSheetFormula(int row, int col, const std::string& f) { setBookFormula(CurrentSheet(), row, col, f); }

std::string Book::SheetShownText(int row, int col) const
{
    const Cell* cell = cellAt(CurrentSheet(), row, col);
    if (!cell)
        return "";
    return formatValue(cell->value, data_.styles.at(cell->style).numberFormat);
}

const CellFormat& Book::CellFormatAt(int sheet, int row, int col) const
{
    const Cell* cell = cellAt(sheet, row, col);
    return data_.styles.at(cell ? cell->style : 0);
}

void Book::RecalculateBook()
{
    recalc_.recalculateAll(data_, *source_);
    notify(BookChange::Values, -1);
}

void Book::setClock(std::function<double()> today)
{
    today_ = std::move(today);
    recalc_.invalidate();
}

bool Book::CellLocked(int row, int col) const
{
    return current().isProtected && CellFormatAt(CurrentSheet(), row, col).locked;
}

void Book::requireUnlocked(const Block& block) const
{
    const Sheet& s = current();
    if (!s.isProtected)
        return;
    bool defaultLocked = data_.styles.at(0).locked;
    // Cells never written carry the default format, which is locked.
    long long stored = 0;
    bool locked = false;
    s.forEachInBlock(block, [&](int, int, const Cell& cell) {
        ++stored;
        locked = locked || data_.styles.at(cell.style).locked;
    });
    if (locked || (defaultLocked && stored < static_cast<long long>(block.rows()) * block.cols()))
        raise(kErrLockedCell, "Locked cells cannot be changed while the sheet is protected");
}

void Book::DeleteSelection()
{
    Block b = current().selection;
    requireUnlocked(b);
    ClearBlock(b.row1, b.col1, b.row2, b.col2, kClearContents);
}

void Book::EnterCellText(int row, int col, const std::string& text)
{
    checkCell(row, col);
    requireUnlocked({row, col, row, col});
    if (!text.empty() && text[0] == '=' && text.size() > 1) {
        setSheetFormula(row, col, text);
        return;
    }
    if (auto number = parseNumberText(text))
        setSheetNumber(row, col, *number);
    else
        setSheetText(row, col, text);
}

}
