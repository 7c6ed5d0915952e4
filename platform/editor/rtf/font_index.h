#pragma once
// Finds a text font in the editor's font table by its look in constant time. The
// table's own search is linear, and a file with thousands of colours or faces would
// otherwise be read in quadratic time.
#include "platform/editor/model/font_table.h"

#include <cstddef>
#include <unordered_map>

namespace ks::editor::rtf {

class FontIndex {
public:
    explicit FontIndex(FontTable& fonts) : fonts_(fonts) {}
    // As FontTable::share: the first equal text font's id, or a new one; -1 when full.
    int share(const FontEntry& entry);

private:
    void catchUp();

    FontTable& fonts_;
    std::unordered_multimap<std::size_t, int> byLook_;
    int indexed_ = 0;   // entries of the table seen so far (others may add fonts while we read)
};

}
