#include "addon/core/tag_lookup.h"

namespace ks::addon {

const TagData* FindTagData(const HtmlCtx& ctx, int type, int id)
{
    for (int i = 0; i < ctx.tagCount && ctx.tagTable; ++i)
        if (ctx.tagTable[i].type == type && ctx.tagTable[i].id == id)
            return &ctx.tagTable[i];
    return nullptr;
}

}
