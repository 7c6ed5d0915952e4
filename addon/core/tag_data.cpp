#include "addon/core/tag_data.h"

#include "addon/base/allocators.h"

#include <cstring>

namespace ks::addon {
namespace {

char* copyText(const char* text)
{
    std::size_t length = text ? std::strlen(text) : 0;
    auto* copy = static_cast<char*>(MemAlloc(length));
    if (copy)
        std::memcpy(copy, text ? text : "", length + 1);
    return copy;
}

// Room for one more entry at the end: the table grows by kTagTableStep entries.
bool grow(HtmlCtx& ctx)
{
    if (ctx.tagCount < ctx.tagCapacity)
        return true;
    int capacity = ctx.tagCapacity + kTagTableStep;
    void* table = ctx.tagTable ? MeReAlloc(ctx.tagTable, sizeof(TagData) * capacity)
                               : MemAlloc(sizeof(TagData) * capacity);
    if (!table)
        return false;
    ctx.tagTable = static_cast<TagData*>(table);
    ctx.tagCapacity = capacity;
    return true;
}

}

int AddTagData(HtmlCtx& ctx, int type, int id, const char* text)
{
    int index = 0;
    while (index < ctx.tagCount && ctx.tagTable[index].type != kTagFree)
        ++index;
    if (index == ctx.tagCount) {
        if (!grow(ctx))
            return -1;
        ctx.tagTable[ctx.tagCount++] = TagData{};
    }
    TagData& entry = ctx.tagTable[index];
    entry.type = type;
    entry.id = id;
    entry.text1 = copyText(text);
    entry.text2 = nullptr;
    return index;
}

int DeleteTagData(HtmlCtx& ctx, int index)
{
    if (index < 0 || index >= ctx.tagCount || !ctx.tagTable)
        return 1;
    TagData& entry = ctx.tagTable[index];
    if (entry.type != kTagFree) {
        MemFree(entry.text1);
        MemFree(entry.text2);
    }
    entry.type = kTagFree;
    entry.text1 = entry.text2 = nullptr;
    return 1;
}

int FreeTagData(HtmlCtx& ctx)
{
    for (int i = 0; i < ctx.tagCount; ++i)
        DeleteTagData(ctx, i);
    MemFree(ctx.tagTable);
    ctx.tagTable = nullptr;
    ctx.tagCount = ctx.tagCapacity = 0;
    return 1;
}

const TagData* FindTagData(const HtmlCtx& ctx, int type, int id)
{
    for (int i = 0; i < ctx.tagCount && ctx.tagTable; ++i)
        if (ctx.tagTable[i].type == type && ctx.tagTable[i].id == id)
            return &ctx.tagTable[i];
    return nullptr;
}

}
