#pragma once
// Automatic recalculation: the dependency graph of the formulas, their evaluation order,
// and the cells marked for recalculation by a change. A circular reference gives #CYCLE!.
#include "platform/workbook/engine/book_data.h"

#include <vector>

namespace ks::workbook {

class Recalc {
public:
    // Formulas or names changed: the graph is rebuilt and everything recomputed on the next read.
    void invalidate() { stale_ = true; }
    // A constant changed: what depends on it is recomputed on the next read.
    void valueChanged(int sheet, int row, int col);
    // Brings every formula value up to date.
    void ensureCurrent(BookData& book, const CellSource& cells);
    void recalculateAll(BookData& book, const CellSource& cells);
    bool pending() const { return stale_ || !dirtyList_.empty(); }

private:
    void rebuild(const BookData& book);
    void copyCode(const std::vector<const Cell*>& formulaCells, const std::vector<std::uint32_t>& order);
    void markFrom(std::uint32_t formula);
    void evaluate(BookData& book, const CellSource& cells, std::uint32_t formula);

    struct Reader {
        CellKey cell;
        std::uint32_t formula;
    };
    struct RangeUse {
        int sheet;
        Block block;
        std::uint32_t formula;
    };
    bool stale_ = true;
    std::vector<CellKey> order_;                   // formula cells, precedents first
    // The formulas' evaluation code copied end to end in that order, so that a full
    // recalculation reads one block of memory front to back.
    std::vector<Node> code_;
    std::vector<std::uint32_t> codeStart_;
    std::vector<FormulaPtr> formulas_;             // the formula each piece of code_ came from
    std::vector<char> cyclic_, dirty_;
    // The formulas reading formula f: dependents_[dependentStart_[f], dependentStart_[f + 1]).
    std::vector<std::uint32_t> dependentStart_;
    std::vector<std::uint32_t> dependents_;
    std::vector<Reader> readers_;                  // the formulas reading each cell, by cell
    std::vector<RangeUse> rangeReaders_;
    std::vector<std::uint32_t> dirtyList_;
};

}
