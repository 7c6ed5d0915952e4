#include "platform/workbook/engine/recalc.h"

#include <algorithm>
#include <map>

namespace ks::workbook {

namespace {
struct Graph {
    std::vector<CellKey> cells;
    std::vector<std::vector<std::uint32_t>> precedents;
};

// The areas a reference stands for; a name not (yet) defined stands for none.
std::vector<Area> resolve(const BookData& book, const FormulaRef& ref, int ownSheet)
{
    if (ref.name.empty())
        return {Area{ref.sheet < 0 ? ownSheet : ref.sheet, ref.block}};
    auto it = book.names.find(upperName(ref.name));
    return it == book.names.end() ? std::vector<Area>{} : it->second.areas;
}

// Strongly connected components, iteratively, emitted precedents first.
void orderComponents(const Graph& g, std::vector<std::uint32_t>& emitted, std::vector<char>& cyclicOld)
{
    const std::size_t n = g.cells.size();
    std::vector<int> index(n, -1), low(n, 0);
    std::vector<char> onStack(n, 0);
    std::vector<std::uint32_t> stack;
    struct Frame {
        std::uint32_t v;
        std::size_t edge;
    };
    std::vector<Frame> calls;
    int counter = 0;
    cyclicOld.assign(n, 0);
    auto enter = [&](std::uint32_t v) {
        index[v] = low[v] = counter++;
        stack.push_back(v);
        onStack[v] = 1;
        calls.push_back({v, 0});
    };
    for (std::uint32_t start = 0; start < n; ++start) {
        if (index[start] >= 0)
            continue;
        enter(start);
        while (!calls.empty()) {
            Frame& f = calls.back();
            std::uint32_t v = f.v;
            if (f.edge < g.precedents[v].size()) {
                std::uint32_t w = g.precedents[v][f.edge++];
                if (index[w] < 0)
                    enter(w);
                else if (onStack[w])
                    low[v] = std::min(low[v], index[w]);
                continue;
            }
            if (low[v] == index[v]) {
                std::size_t first = stack.size();
                do
                    --first;
                while (stack[first] != v);
                const auto& pv = g.precedents[v];
                bool cyclic = stack.size() - first > 1 || std::find(pv.begin(), pv.end(), v) != pv.end();
                for (std::size_t k = first; k < stack.size(); ++k) {
                    onStack[stack[k]] = 0;
                    cyclicOld[stack[k]] = cyclic;
                    emitted.push_back(stack[k]);
                }
                stack.resize(first);
            }
            calls.pop_back();
            if (!calls.empty())
                low[calls.back().v] = std::min(low[calls.back().v], low[v]);
        }
    }
}
}

void Recalc::rebuild(const BookData& book)
{
    Graph g;
    std::unordered_map<CellKey, std::uint32_t> indexOf;
    // Per sheet and column, the rows holding formulas, ascending.
    std::vector<std::map<int, std::vector<int>>> formulaRows(book.sheets.size());
    for (std::size_t s = 0; s < book.sheets.size(); ++s) {
        book.sheets[s].forEachCell([&](int r, int c, const Cell& cell) {
            if (!cell.formula)
                return;
            CellKey key = cellKey(static_cast<int>(s), r, c);
            indexOf.emplace(key, static_cast<std::uint32_t>(g.cells.size()));
            g.cells.push_back(key);
            formulaRows[s][c].push_back(r);
        });
    }
    const std::size_t n = g.cells.size();
    g.precedents.assign(n, {});
    std::unordered_map<CellKey, std::vector<std::uint32_t>> readers;
    std::vector<RangeUse> rangeReaders;
    std::vector<FormulaRef> refs;
    for (std::uint32_t i = 0; i < n; ++i) {
        int s = keySheet(g.cells[i]);
        const Cell* cell = book.sheets[static_cast<std::size_t>(s)].find(keyRow(g.cells[i]), keyCol(g.cells[i]));
        refs.clear();
        collectRefs(*cell->formula, refs);
        for (const FormulaRef& ref : refs) {
            for (const Area& area : resolve(book, ref, s)) {
                if (area.sheet < 0 || area.sheet >= static_cast<int>(book.sheets.size()))
                    continue;
                const Block& b = area.block;
                if (b.rows() == 1 && b.cols() == 1) {
                    CellKey key = cellKey(area.sheet, b.row1, b.col1);
                    readers[key].push_back(i);
                    if (auto it = indexOf.find(key); it != indexOf.end())
                        g.precedents[i].push_back(it->second);
                    continue;
                }
                rangeReaders.push_back({area.sheet, b, i});
                const auto& columns = formulaRows[static_cast<std::size_t>(area.sheet)];
                for (auto col = columns.lower_bound(b.col1); col != columns.end() && col->first <= b.col2; ++col) {
                    auto lo = std::lower_bound(col->second.begin(), col->second.end(), b.row1);
                    auto hi = std::upper_bound(lo, col->second.end(), b.row2);
                    for (auto r = lo; r != hi; ++r)
                        g.precedents[i].push_back(indexOf.at(cellKey(area.sheet, *r, col->first)));
                }
            }
        }
    }

    std::vector<std::uint32_t> emitted;
    std::vector<char> cyclicOld;
    orderComponents(g, emitted, cyclicOld);
    std::vector<std::uint32_t> position(n);
    order_.assign(n, 0);
    cyclic_.assign(n, 0);
    for (std::uint32_t p = 0; p < n; ++p) {
        position[emitted[p]] = p;
        order_[p] = g.cells[emitted[p]];
        cyclic_[p] = cyclicOld[emitted[p]];
    }
    copyCode(book);
    dependents_.assign(n, {});
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t p : g.precedents[i])
            dependents_[position[p]].push_back(position[i]);
    for (auto& [key, list] : readers)
        for (auto& f : list)
            f = position[f];
    for (auto& use : rangeReaders)
        use.formula = position[use.formula];
    readers_ = std::move(readers);
    rangeReaders_ = std::move(rangeReaders);
    dirty_.assign(n, 0);
    dirtyList_.clear();
    stale_ = false;
}

void Recalc::copyCode(const BookData& book)
{
    code_.clear();
    codeStart_.clear();
    formulas_.clear();
    for (CellKey key : order_) {
        const Cell* cell = book.sheets[static_cast<std::size_t>(keySheet(key))].find(keyRow(key), keyCol(key));
        codeStart_.push_back(static_cast<std::uint32_t>(code_.size()));
        code_.insert(code_.end(), cell->formula->nodes.begin(), cell->formula->nodes.end());
        formulas_.push_back(cell->formula);
    }
}

void Recalc::markFrom(std::uint32_t formula)
{
    std::vector<std::uint32_t> work{formula};
    while (!work.empty()) {
        std::uint32_t f = work.back();
        work.pop_back();
        if (dirty_[f])
            continue;
        dirty_[f] = 1;
        dirtyList_.push_back(f);
        for (std::uint32_t d : dependents_[f])
            if (!dirty_[d])
                work.push_back(d);
    }
}

void Recalc::valueChanged(int sheet, int row, int col)
{
    if (stale_)
        return;
    if (auto it = readers_.find(cellKey(sheet, row, col)); it != readers_.end())
        for (std::uint32_t f : it->second)
            markFrom(f);
    for (const RangeUse& use : rangeReaders_)
        if (use.sheet == sheet && use.block.contains(row, col))
            markFrom(use.formula);
}

void Recalc::evaluate(BookData& book, const CellSource& cells, std::uint32_t f)
{
    CellKey key = order_[f];
    int s = keySheet(key);
    Cell* cell = book.sheets[static_cast<std::size_t>(s)].findMutable(keyRow(key), keyCol(key));
    if (!cell || !cell->formula)
        return;
    if (cyclic_[f])
        cell->value = Value::ofError(ErrorCode::Cycle);
    else if (cell->formula == formulas_[f])
        cell->value = evaluateCode(code_[codeStart_[f]], cell->formula->texts, s, cells);
    else
        cell->value = evaluateFormula(*cell->formula, s, cells);
}

void Recalc::recalculateAll(BookData& book, const CellSource& cells)
{
    if (stale_)
        rebuild(book);
    for (std::uint32_t f = 0; f < order_.size(); ++f)
        evaluate(book, cells, f);
    for (std::uint32_t f : dirtyList_)
        dirty_[f] = 0;
    dirtyList_.clear();
}

void Recalc::ensureCurrent(BookData& book, const CellSource& cells)
{
    if (stale_) {
        recalculateAll(book, cells);
        return;
    }
    if (dirtyList_.empty())
        return;
    std::sort(dirtyList_.begin(), dirtyList_.end());
    for (std::uint32_t f : dirtyList_) {
        evaluate(book, cells, f);
        dirty_[f] = 0;
    }
    dirtyList_.clear();
}

}
