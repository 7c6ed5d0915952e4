#include "platform/editor/model/line_flags.h"

namespace ks::editor {

bool isRule(const ParaFormat& f) { return f.ruleValue == kThickRule || (f.flags & kDefaultRule); }

std::uint32_t lineFlags(Editor& e, std::size_t n)
{
    const Line* l = e.doc.line(n);
    return l ? lineFlags(*l, e.doc.lineChars(n), e.formatOf(l->para)) : 0;
}

std::uint32_t lineFlags(const Line& l, std::string_view chars, const ParaFormat& f)
{
    std::uint32_t flags = 0;
    char end = chars.empty() ? 0 : chars.back();
    if (end == kParaMark)
        flags |= kLineParaEnd;
    else if (end == kCellEnd)
        flags |= kLineCellOrRow | kLineCellEnd;
    else if (end == kRowEnd)
        flags |= kLineCellOrRow | kLineRowEnd;
    if (l.start == 0)
        flags |= kLineFirst;
    if (f.flags & kListNumbered)
        flags |= kLineListed;
    if (isRule(f))
        flags |= kLineRule;
    return flags;
}

}
