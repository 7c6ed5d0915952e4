// Paragraph pieces and rows: a piece goes into the document, or into the cell being read
// at its depth; a row is placed when "\row" ends it (or when the file ends it for us).
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

namespace ks::editor::rtf {

void RtfParser::ensureDepth(int depth)
{
    depth = std::clamp(depth, 0, kMaxDepth);
    if (static_cast<int>(rows_.size()) < depth) {
        rows_.resize(depth);
        cells_.resize(depth);
    }
    if (static_cast<int>(rowDefs_.size()) <= depth)
        rowDefs_.resize(depth + 1);
}

CellData& RtfParser::cellAt(int depth)
{
    ensureDepth(depth);
    return cells_[depth - 1];
}

void RtfParser::endPiece(char mark, int depth)
{
    depth = std::clamp(depth, 0, kMaxDepth);
    if (mark) {
        piece_.push_back(mark);
        pieceFonts_.push_back(static_cast<std::uint16_t>(fontId()));
    }
    if (piece_.empty())
        return;
    closeDeeperThan(depth);
    int format = formatId(top().para);
    if (depth == 0) {
        outerPrevious_ = 0;
        e_.doc.append(piece_, pieceFonts_.data(), {format, 0});
    } else {
        cellAt(depth).items.push_back(Item{std::move(piece_), std::move(pieceFonts_), format, nullptr});
    }
    piece_.clear();
    pieceFonts_.clear();
}

void RtfParser::endCell(int depth)
{
    depth = std::clamp(depth, 1, kMaxDepth);
    endPiece(kCellEnd, depth);
    ensureDepth(depth);
    rows_[depth - 1].cells.push_back(std::move(cells_[depth - 1]));
    cells_[depth - 1] = {};
}

void RtfParser::endRow(int depth)
{
    depth = std::clamp(depth, 1, kMaxDepth);
    ensureDepth(depth);
    if (!piece_.empty())
        endCell(depth);
    closeDeeperThan(depth);
    if (!cells_[depth - 1].items.empty()) {
        rows_[depth - 1].cells.push_back(std::move(cells_[depth - 1]));
        cells_[depth - 1] = {};
    }
    RowData row = std::move(rows_[depth - 1]);
    rows_[depth - 1] = {};
    row.def = rowDefs_[depth];
    row.endFormat = formatId(top().para);
    if (row.cells.empty())
        return;
    if (depth == 1)
        placeRow(e_, row, 0, outerPrevious_);
    else
        cellAt(depth - 1).items.push_back(Item{{}, {}, 0, std::make_unique<RowData>(std::move(row))});
}

void RtfParser::closeDeeperThan(int depth)
{
    // Rows a file left open (no \row) are ended as they stand.
    for (int d = static_cast<int>(rows_.size()); d > depth; --d)
        if (!rows_[d - 1].cells.empty() || !cells_[d - 1].items.empty())
            endRow(d);
}

}
