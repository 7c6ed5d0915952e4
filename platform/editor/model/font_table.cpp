#include "platform/editor/model/font_table.h"

#include <functional>

namespace ks::editor {

bool FontEntry::sameText(const FontEntry& o) const
{
    return !isObject() && !o.isObject() && face == o.face && points == o.points && style == o.style &&
           colour == o.colour && colour2 == o.colour2 && userId == o.userId && tag == o.tag &&
           field == o.field;
}

std::string clampFace(const std::string& face) { return face.substr(0, 31); }

namespace {

// Over the fields sameText compares.
std::size_t lookHash(const FontEntry& f)
{
    std::size_t h = std::hash<std::string>{}(f.face);
    for (std::size_t v : {std::size_t(f.points), std::size_t(f.style), std::size_t(f.colour), std::size_t(f.colour2),
                          std::size_t(f.userId), std::size_t(f.tag), std::size_t(f.field)})
        h = (h ^ v) * 0x100000001B3ull;
    return h;
}

}

void FontTable::index(int id)
{
    if (!entries_[id].isObject())
        byLook_.emplace(lookHash(entries_[id]), id);
}

void FontTable::unindex(int id)
{
    auto [first, last] = byLook_.equal_range(lookHash(entries_[id]));
    for (auto it = first; it != last; ++it)
        if (it->second == id) {
            byLook_.erase(it);
            return;
        }
}

void FontTable::reset(const std::string& defaultFace, int defaultPoints)
{
    FontEntry font0;
    font0.face = clampFace(defaultFace);
    font0.points = defaultPoints;
    entries_.assign(1, font0);
    used_.assign(1, true);
    byLook_.clear();
    index(0);
    ++revision_;
}

int FontTable::set(int id, FontEntry entry)
{
    if (id < 0 || id >= kMaxFonts)
        return -1;
    if (id >= count()) {
        entries_.resize(id + 1);
        used_.resize(id + 1, false);
    }
    if (used_[id])
        unindex(id);
    entry.face = clampFace(entry.face);
    entries_[id] = std::move(entry);
    used_[id] = true;
    index(id);
    ++revision_;
    return id;
}

int FontTable::share(const FontEntry& entry)
{
    FontEntry wanted = entry;
    wanted.face = clampFace(wanted.face);
    int found = -1;
    auto [first, last] = byLook_.equal_range(lookHash(wanted));
    for (auto it = first; it != last; ++it)
        if (entries_[it->second].sameText(wanted) && (found < 0 || it->second < found))
            found = it->second;
    return found >= 0 ? found : append(std::move(wanted));
}

int FontTable::append(FontEntry entry) { return set(count(), std::move(entry)); }

}
