#include "platform/workbook/engine/recalc.h"

#include <algorithm>
#include <optional>

namespace ks::workbook {

namespace {
struct Graph {
    std::vector<CellKey> cells;  // ascending: sheets, rows and columns in order
    std::vector<const Cell*> formulaCells;
    // The precedents of formula i are edges[edgeStart[i], edgeStart[i + 1]): one list end
    // to end, as the formulas are read in order, instead of a vector for each.
    std::vector<std::uint32_t> edges;
    std::vector<std::uint32_t> edgeStart;

    std::size_t precedentCount(std::uint32_t v) const { return edgeStart[v + 1] - edgeStart[v]; }
    std::uint32_t precedent(std::uint32_t v, std::size_t k) const { return edges[edgeStart[v] + k]; }
};

// A formula cell of a column: its row and its index in the graph.
struct ColumnEntry {
    int row;
    std::uint32_t index;
};
// Per sheet and column, the formula cells in ascending rows.
using FormulaColumns = std::vector<std::vector<std::vector<ColumnEntry>>>;

// The areas a reference stands for; a name not (yet) defined stands for none.
template <class Visit>
void forEachArea(const BookData& book, const FormulaRef& ref, int ownSheet, Visit&& visit)
{
    if (ref.name.empty()) {
        visit(Area{ref.sheet < 0 ? ownSheet : ref.sheet, ref.block});
        return;
    }
    if (auto it = book.names.find(upperName(ref.name)); it != book.names.end())
        for (const Area& area : it->second.areas)
            visit(area);
}

Graph collectFormulaCells(const BookData& book, FormulaColumns& columns)
{
    Graph g;
    columns.assign(book.sheets.size(), {});
    for (std::size_t s = 0; s < book.sheets.size(); ++s) {
        columns[s].resize(static_cast<std::size_t>(book.sheets[s].lastColumn()) + 1);
        book.sheets[s].forEachCell([&](int r, int c, const Cell& cell) {
            if (!cell.formula)
                return;
            columns[s][static_cast<std::size_t>(c)].push_back({r, static_cast<std::uint32_t>(g.cells.size())});
            g.cells.push_back(cellKey(static_cast<int>(s), r, c));
            g.formulaCells.push_back(&cell);
        });
    }
    g.edgeStart.reserve(g.cells.size() + 1);
    return g;
}

// The formula cell at row and col of a sheet's columns, if there is one: a column holds
// few formulas, so this is quicker than searching all of them.
std::optional<std::uint32_t> formulaAt(const std::vector<std::vector<ColumnEntry>>& columns, int row, int col)
{
    if (col < 0 || col >= static_cast<int>(columns.size()))
        return std::nullopt;
    const auto& column = columns[static_cast<std::size_t>(col)];
    auto e = std::lower_bound(column.begin(), column.end(), row, [](const ColumnEntry& c, int r) { return c.row < r; });
    if (e == column.end() || e->row != row)
        return std::nullopt;
    return e->index;
}

// Every formula cell inside the block.
template <class Visit>
void forEachFormulaIn(const std::vector<std::vector<ColumnEntry>>& columns, const Block& b, Visit&& visit)
{
    auto byRow = [](const ColumnEntry& e, int row) { return e.row < row; };
    int last = std::min(b.col2, static_cast<int>(columns.size()) - 1);
    for (int c = std::max(b.col1, 1); c <= last; ++c) {
        const auto& column = columns[static_cast<std::size_t>(c)];
        for (auto e = std::lower_bound(column.begin(), column.end(), b.row1, byRow); e != column.end() && e->row <= b.row2; ++e)
            visit(e->index);
    }
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
            if (f.edge < g.precedentCount(v)) {
                std::uint32_t w = g.precedent(v, f.edge++);
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
                auto pv = g.edges.begin() + g.edgeStart[v], pvEnd = g.edges.begin() + g.edgeStart[v + 1];
                bool cyclic = stack.size() - first > 1 || std::find(pv, pvEnd, v) != pvEnd;
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
    FormulaColumns columns;
    Graph g = collectFormulaCells(book, columns);
    const std::size_t n = g.cells.size();
    std::vector<Reader> readers;
    std::vector<RangeUse> rangeReaders;
    std::vector<FormulaRef> refs;
    for (std::uint32_t i = 0; i < n; ++i) {
        g.edgeStart.push_back(static_cast<std::uint32_t>(g.edges.size()));
        int s = keySheet(g.cells[i]);
        refs.clear();
        collectRefs(*g.formulaCells[i]->formula, refs);
        for (const FormulaRef& ref : refs) {
            forEachArea(book, ref, s, [&](const Area& area) {
                if (area.sheet < 0 || area.sheet >= static_cast<int>(book.sheets.size()))
                    return;
                const Block& b = area.block;
                if (b.rows() == 1 && b.cols() == 1) {
                    CellKey key = cellKey(area.sheet, b.row1, b.col1);
                    readers.push_back({key, i});
                    if (auto precedent = formulaAt(columns[static_cast<std::size_t>(area.sheet)], b.row1, b.col1))
                        g.edges.push_back(*precedent);
                    return;
                }
                rangeReaders.push_back({area.sheet, b, i});
                forEachFormulaIn(columns[static_cast<std::size_t>(area.sheet)], b,
                                 [&](std::uint32_t precedent) { g.edges.push_back(precedent); });
            });
        }
    }

    g.edgeStart.push_back(static_cast<std::uint32_t>(g.edges.size()));

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
    copyCode(g.formulaCells, emitted);
    // The dependents of each formula, by position, end to end as well: counted, then placed.
    dependentStart_.assign(n + 1, 0);
    for (std::uint32_t p : g.edges)
        ++dependentStart_[position[p] + 1];
    for (std::size_t f = 0; f < n; ++f)
        dependentStart_[f + 1] += dependentStart_[f];
    dependents_.resize(g.edges.size());
    std::vector<std::uint32_t> fill(dependentStart_.begin(), dependentStart_.end() - 1);
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t e = g.edgeStart[i]; e < g.edgeStart[i + 1]; ++e)
            dependents_[fill[position[g.edges[e]]]++] = position[i];
    for (Reader& reader : readers)
        reader.formula = position[reader.formula];
    std::sort(readers.begin(), readers.end(),
              [](const Reader& a, const Reader& b) { return a.cell < b.cell || (a.cell == b.cell && a.formula < b.formula); });
    for (auto& use : rangeReaders)
        use.formula = position[use.formula];
    readers_ = std::move(readers);
    rangeReaders_ = std::move(rangeReaders);
    dirty_.assign(n, 0);
    dirtyList_.clear();
    stale_ = false;
}

void Recalc::copyCode(const std::vector<const Cell*>& formulaCells, const std::vector<std::uint32_t>& order)
{
    std::size_t total = 0;
    for (const Cell* cell : formulaCells)
        total += cell->formula->nodes.size();
    code_.clear();
    code_.reserve(total);
    codeStart_.clear();
    formulas_.clear();
    for (std::uint32_t index : order) {
        const Cell* cell = formulaCells[index];
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
        for (std::uint32_t e = dependentStart_[f]; e < dependentStart_[f + 1]; ++e)
            if (!dirty_[dependents_[e]])
                work.push_back(dependents_[e]);
    }
}

void Recalc::valueChanged(int sheet, int row, int col)
{
    if (stale_)
        return;
    CellKey key = cellKey(sheet, row, col);
    auto it = std::lower_bound(readers_.begin(), readers_.end(), key,
                               [](const Reader& r, CellKey k) { return r.cell < k; });
    for (; it != readers_.end() && it->cell == key; ++it)
        markFrom(it->formula);
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
