#pragma once
// The blocks that an import carries from an older scorecard into the open one, and a
// keeper of what they overwrite, so that a failed import can be taken back whole.
// No Qt: it works on the books of the two workbook controls.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/clipboard.h"

#include <array>
#include <vector>

namespace ks::scorecard {

struct ImportBlock {
    const char* progressText;
    int sheet, firstRow, lastRow, firstCol, lastCol;
};

// In the order they are carried; each lies at the same place in both books.
const std::array<ImportBlock, 4>& importBlocks();

// Copies a block of the older scorecard onto the process's clipboard.
void copyImportBlock(workbook::Book& from, const ImportBlock& block);
// Pastes the clipboard over the same block of the open scorecard, whose sheet is shown
// and left protected.
void pasteImportBlock(workbook::Book& to, const ImportBlock& block);

// What an import may change in the open scorecard: the cells of every block, each
// block sheet's protection and selection and the shown sheet; and the clipboard,
// which the user may have filled. The clipboard comes back when the keeper goes,
// the scorecard only on restore().
class ImportUndo {
public:
    explicit ImportUndo(workbook::Book& book);
    ~ImportUndo();
    ImportUndo(const ImportUndo&) = delete;
    ImportUndo& operator=(const ImportUndo&) = delete;

    void restore();

private:
    struct SheetState {
        int sheet;
        bool protectedOn;
        workbook::Block selection;
    };
    workbook::Book& book_;
    workbook::ClipBlock userClipboard_;
    std::vector<workbook::ClipBlock> cells_;   // one per import block, in order
    std::vector<SheetState> sheets_;
    int shownSheet_;
};

}
