// Finding and taking out open groups by the tag that opened them.
#include "addon/core/html_read.h"

#include <algorithm>

namespace ks::addon {

int InnermostGroupOpenedBy(const HtmlReader* r, int kind, int from)
{
    for (int i = std::min(from, r->group); i > 0; --i)
        if (r->groups[i].opener == kind)
            return i;
    return 0;
}

void LiftGroup(HtmlReader* r, int index)
{
    const HtmlGroup& outer = r->groups[index - 1];
    const HtmlGroup& own = r->groups[index];
    for (int i = index + 1; i <= r->group; ++i) {
        HtmlGroup& g = r->groups[i];
        // What the group still has of the lifted one's goes back to the outer one's.
        if (g.element == own.element)
            g.element = outer.element;
        if (g.colour == own.colour)
            g.colour = outer.colour;
        std::uint32_t given = (own.style ^ outer.style) & ~(g.style ^ own.style);
        g.style = (g.style & ~given) | (outer.style & given);
        if (g.inLink == own.inLink) {
            g.inLink = outer.inLink;
            g.linkHasAddress = outer.linkHasAddress;
        }
        if (g.listGroup > index)
            --g.listGroup;
    }
    std::copy(r->groups + index + 1, r->groups + r->group + 1, r->groups + index);
    --r->group;
}

}
