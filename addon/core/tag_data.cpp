#include "addon/core/tag_data.h"

#include "addon/base/allocators.h"

#include <cstring>

namespace ks::addon {
namespace {

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
    // Only a deletion leaves a free entry below the end: without one the search is skipped.
    int index = ctx.tagFreeCount > 0 ? 0 : ctx.tagCount;
    while (index < ctx.tagCount && ctx.tagTable[index].type != kTagFree)
        ++index;
    if (index < ctx.tagCount)
        --ctx.tagFreeCount;
    if (index == ctx.tagCount) {
        if (!grow(ctx))
            return -1;
        ctx.tagTable[ctx.tagCount++] = TagData{};
    }
    TagData& entry = ctx.tagTable[index];
    entry.type = type;
    entry.id = id;
    entry.text1 = MemCopyText(text);
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
        ++ctx.tagFreeCount;
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
    ctx.tagCount = ctx.tagCapacity = ctx.tagFreeCount = 0;
    return 1;
}

int FindTagDataFrom(const HtmlCtx& ctx, int type, int id, int start)
{
    if (type == kTagFree)
        return -1;
    for (int i = start < 0 ? 0 : start; i < ctx.tagCount && ctx.tagTable; ++i)
        if (ctx.tagTable[i].type == type && ctx.tagTable[i].id == id)
            return i;
    return -1;
}

const TagData* FindTagData(const HtmlCtx& ctx, int type, int id)
{
    int index = FindTagDataFrom(ctx, type, id, 0);
    return index >= 0 ? &ctx.tagTable[index] : nullptr;
}

void SetTagDataText2(HtmlCtx& ctx, int index, const char* text)
{
    if (index < 0 || index >= ctx.tagCount || !ctx.tagTable || ctx.tagTable[index].type == kTagFree)
        return;
    TagData& entry = ctx.tagTable[index];
    MemFree(entry.text2);
    entry.text2 = MemCopyText(text);
}

int SetUserTag(HtmlCtx& ctx, int id, const char* text)
{
    int old = FindTagDataFrom(ctx, kTagUser, id, 0);
    if (old >= 0)
        DeleteTagData(ctx, old);
    if (!text || !*text)
        return 1;
    return AddTagData(ctx, kTagUser, id, text) >= 0 ? 1 : 0;
}

}
