#pragma once
// Interned paragraph and list formats: equal formats share one id, so a
// paragraph carries just a number. Id 0 of each table is "none/default".
#include "platform/editor/vek32_codes.h"

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <vector>

namespace ks::editor {

struct ParaFormat {
    // The twelve values in the API's order.
    int leftIndent = 0;      // twips
    int rightIndent = 0;
    int firstIndent = 0;     // negative: hanging
    int opaque4 = 0;         // returned unchanged
    int opaque5 = 0;
    int typeWord = 0;        // the add-on's paragraph-type word; never interpreted
    int ruleValue = 0;       // 0, kFormTextRule, kThickRule
    int styleFlags = 0;      // kNoWrap
    int spaceBefore = 0;     // twips
    int spaceAfter = 0;
    int lineValue = 0;       // negative: exact line height; a rule's thickness
    int flags = 0;           // alignment, kListNumbered, borders, kDefaultRule
    // Set by the Ex variant.
    int listFormat = 0;      // 0: none
    int ruleWord = 0;        // width in the low 16 bits, alignment in the high 16
    std::uint32_t background = kNoColour;

    auto operator<=>(const ParaFormat&) const = default;
    std::array<int, 12> values() const;
    static ParaFormat fromValues(const std::array<int, 12>& v);
};

struct ListFormat {
    int bullet = -1;  // 1: bullets, 0: numbers; -1 only in entry 0, "no list"
    int start = 1;
    int level = 0;
    int style = 0;    // bullets 0/1/2 by level; numbers 0 decimal, 1 A, 2 a, 3 I, 4 i
    auto operator<=>(const ListFormat&) const = default;
};

template <class Format>
class InternTable {
public:
    InternTable() { reset(); }
    void reset()
    {
        formats_.assign(1, Format{});
        ids_.clear();
        ids_[Format{}] = 0;
    }
    int intern(const Format& f)
    {
        auto [it, fresh] = ids_.try_emplace(f, static_cast<int>(formats_.size()));
        if (fresh)
            formats_.push_back(f);
        return it->second;
    }
    bool valid(int id) const { return id >= 0 && id < static_cast<int>(formats_.size()); }
    const Format& get(int id) const { return formats_[valid(id) ? id : 0]; }
    int count() const { return static_cast<int>(formats_.size()); }

private:
    std::vector<Format> formats_;
    std::map<Format, int> ids_;
};

using ParaFormats = InternTable<ParaFormat>;
using ListFormats = InternTable<ListFormat>;

// The format of a paragraph nobody formatted, and of one made with all values 0: no spacing,
// no indents. It never changes, so a plain paragraph looks the same whatever the window did.
constexpr int kPlainFormat = 0;

}
