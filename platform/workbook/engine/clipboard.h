#pragma once
// The internal clipboard, one for all books of the process, so blocks move between them.
#include "platform/workbook/engine/cell_format.h"
#include "platform/workbook/engine/value.h"

#include <string>
#include <vector>

namespace ks::workbook {

struct ClipCell {
    Value value;
    std::string formula;  // as written at the source cell; "" for a constant
    CellFormat format;
};

struct ClipBlock {
    int rows = 0, cols = 0;
    int sourceRow = 1, sourceCol = 1;  // for shifting relative references
    std::vector<ClipCell> cells;       // row by row
    bool empty() const { return cells.empty(); }
};

ClipBlock& sharedClipboard();

}
