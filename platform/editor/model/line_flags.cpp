#include "platform/editor/model/line_flags.h"

namespace ks::editor {

bool isRule(const ParaFormat& f) { return f.ruleValue == kThickRule || (f.flags & kDefaultRule); }

std::uint32_t lineFlags(Editor& e, std::size_t n)
{
    const Line* l = e.doc.line(n);
    if (!l)
        return 0;
    std::uint32_t flags = 0;
    auto chars = e.doc.lineChars(n);
    char end = chars.empty() ? 0 : chars.back();
    if (end == kParaMark)
        flags |= kLineParaEnd;
    else if (end == kCellEnd)
        flags |= kLineCellOrRow | kLineCellEnd;
    else if (end == kRowEnd)
        flags |= kLineCellOrRow | kLineRowEnd;
    if (l->start == 0)
        flags |= kLineFirst;
    const ParaFormat& f = e.formatOf(l->para);
    if (f.flags & kListNumbered)
        flags |= kLineListed;
    if (isRule(f))
        flags |= kLineRule;
    return flags;
}

}
