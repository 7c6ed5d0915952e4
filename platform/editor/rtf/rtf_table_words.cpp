// Row and cell definition words. RTF defines a row's cells one by one, each ended by
// "\cellx" at its right edge; our own files give widths, spans and borders exactly.
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

#include <cstdlib>

namespace ks::editor::rtf {

RowDef& RtfParser::rowDef()
{
    ensureDepth(rowDefDepth_);
    return rowDefs_[rowDefDepth_];
}

// "\trowd" starts a row definition: an outer one, or inside "\nesttableprops" a nested one.
void RtfParser::rowStart(std::uint32_t, Param)
{
    rowDefDepth_ = top().nestProps ? std::max(2, top().para.depth) : 1;
    rowDef() = RowDef{};
    pendingCell_ = Cell{};
    pendingWidth_ = false;
    pendingBorder_ = 0;
    lastCellX_ = 0;
}

// "\trleft" also moves the left edge the first "\cellx" is measured from.
void RtfParser::rowIndent(std::uint32_t fromCells, Param p)
{
    rowDef().indent = twips(p.value);
    if (fromCells)
        lastCellX_ = twips(p.value);
}

void RtfParser::rowAlign(std::uint32_t align, Param) { rowDef().alignment = static_cast<int>(align); }

void RtfParser::rowNumber(std::uint32_t which, Param p)
{
    RowDef& row = rowDef();
    int v = twips(p.value);
    switch (which) {
    case RowNumber::Height: row.height = std::abs(v); break;
    case RowNumber::Width: row.width = v; break;
    case RowNumber::Alignment: row.alignment = v; break;
    case RowNumber::Columns: row.columns = std::max(0, v); break;
    }
}

// Which cell border a following "\brdrw" sizes.
void RtfParser::cellSide(std::uint32_t side, Param) { borderTarget_ = static_cast<int>(side); }

void RtfParser::cellRowSpan(std::uint32_t span, Param) { pendingCell_.rowSpan = static_cast<int>(span); }

void RtfParser::cellMergeFirst(std::uint32_t, Param) { pendingCell_.colSpan = std::max(2, pendingCell_.colSpan); }

// Covered by the cell before it.
void RtfParser::cellMerged(std::uint32_t, Param) { pendingCell_.colSpan = 0; }

void RtfParser::cellFlag(std::uint32_t flag, Param) { pendingCell_.flags |= static_cast<int>(flag); }

void RtfParser::cellBorderWidth(std::uint32_t, Param p)
{
    if (borderTarget_ >= 0 && borderTarget_ < 4)
        pendingCell_.borders[borderTarget_] = std::max(0, twips(p.value));
}

void RtfParser::cellShading(std::uint32_t, Param p) { pendingCell_.colour = colourAt(p.value); }

void RtfParser::cellNumber(std::uint32_t which, Param p)
{
    Cell& c = pendingCell_;
    int v = twips(p.value);
    switch (which) {
    case CellNumber::Width:
        c.width = v;
        pendingWidth_ = true;
        break;
    case CellNumber::Height: c.height = std::max(0, v); break;
    case CellNumber::RowSpan: c.rowSpan = std::clamp(v, 0, 300); break;
    case CellNumber::ColSpan: c.colSpan = std::clamp(v, 0, 300); break;
    case CellNumber::Flags: c.flags = v; break;
    case CellNumber::Alignment: c.alignment = v; break;
    case CellNumber::Colour: c.colour = static_cast<std::uint32_t>(std::clamp(v, 0, 0xFFFFFF)); break;
    case CellNumber::Padding: c.padding = v < 0 ? -1 : v; break;
    }
}

// Our own four border widths, in order.
void RtfParser::cellBorder(std::uint32_t, Param p)
{
    if (pendingBorder_ < 4)
        pendingCell_.borders[pendingBorder_++] = std::max(0, twips(p.value));
}

// "\cellx": the cell's right edge; its width is the distance from the last edge unless our own width came.
void RtfParser::cellBoundary(std::uint32_t, Param p)
{
    RowDef& row = rowDef();
    int v = twips(p.value);
    if (!pendingWidth_)
        pendingCell_.width = std::max(0, v - lastCellX_);
    lastCellX_ = v;
    if (row.cells.size() < 300)
        row.cells.push_back(pendingCell_);
    pendingCell_ = Cell{};
    pendingWidth_ = false;
    pendingBorder_ = 0;
}

}
