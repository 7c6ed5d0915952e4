#include "platform/editor/model/font_table.h"

namespace ks::editor {

bool FontEntry::sameText(const FontEntry& o) const
{
    return !isObject() && !o.isObject() && face == o.face && points == o.points && style == o.style &&
           colour == o.colour && colour2 == o.colour2 && userId == o.userId && tag == o.tag &&
           field == o.field;
}

std::string clampFace(const std::string& face) { return face.substr(0, 31); }

void FontTable::reset(const std::string& defaultFace, int defaultPoints)
{
    FontEntry font0;
    font0.face = clampFace(defaultFace);
    font0.points = defaultPoints;
    entries_.assign(1, font0);
    used_.assign(1, true);
}

int FontTable::set(int id, FontEntry entry)
{
    if (id < 0 || id >= kMaxFonts)
        return -1;
    if (id >= count()) {
        entries_.resize(id + 1);
        used_.resize(id + 1, false);
    }
    entry.face = clampFace(entry.face);
    entries_[id] = std::move(entry);
    used_[id] = true;
    return id;
}

int FontTable::share(const FontEntry& entry)
{
    FontEntry wanted = entry;
    wanted.face = clampFace(wanted.face);
    for (int id = 0; id < count(); ++id)
        if (used_[id] && entries_[id].sameText(wanted))
            return id;
    return append(std::move(wanted));
}

int FontTable::append(FontEntry entry) { return set(count(), std::move(entry)); }

}
