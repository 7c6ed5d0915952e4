#include "platform/editor/rtf/font_index.h"

#include <functional>
#include <string>

namespace ks::editor::rtf {
namespace {

std::size_t lookHash(const FontEntry& f)
{
    std::size_t h = std::hash<std::string>{}(f.face);
    for (std::size_t v : {std::size_t(f.points), std::size_t(f.style), std::size_t(f.colour), std::size_t(f.colour2),
                          std::size_t(f.userId), std::size_t(f.tag), std::size_t(f.field)})
        h = (h ^ v) * 0x100000001B3ull;
    return h;
}

}

void FontIndex::catchUp()
{
    if (indexed_ > fonts_.count()) {   // the table was reset
        byLook_.clear();
        indexed_ = 0;
    }
    for (; indexed_ < fonts_.count(); ++indexed_)
        if (const FontEntry* f = fonts_.get(indexed_); f && !f->isObject())
            byLook_.emplace(lookHash(*f), indexed_);
}

int FontIndex::share(const FontEntry& entry)
{
    catchUp();
    FontEntry wanted = entry;
    wanted.face = clampFace(wanted.face);
    int found = -1;
    auto [first, last] = byLook_.equal_range(lookHash(wanted));
    for (auto it = first; it != last; ++it) {
        // Checked again: an entry may have been redefined since it was indexed.
        const FontEntry* f = fonts_.get(it->second);
        if (f && f->sameText(wanted) && (found < 0 || it->second < found))
            found = it->second;
    }
    return found >= 0 ? found : fonts_.append(std::move(wanted));
}

}
