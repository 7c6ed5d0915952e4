// The reading exports and the tag-data exports: C linkage over the library's functions.
#include "addon/core/plx32.h"

#include "addon/core/html_context.h"
#include "addon/core/html_read.h"
#include "addon/core/named_anchor.h"
#include "addon/core/tag_data.h"

#include <cstring>

using namespace ks::addon;

namespace {

void copyOut(char* out, const char* text)
{
    if (out)
        std::strcpy(out, text ? text : "");
}

}

extern "C" {

int PlxRead(HWND hWnd, int fromMemory, const char* fileName, HGLOBAL handle, std::int32_t length,
            const char* anchorName)
{
    return ReadHtml(hWnd, fromMemory, fileName, handle, length, anchorName);
}

int PlxPositionName(HWND hWnd, const char* name) { return PositionName(hWnd, name); }

int PlxGetTagData(HWND hWnd, int type, int id, int start, std::int32_t* value1, std::int32_t* value2, char* text1,
                  char* text2)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    if (!ctx)
        return -1;
    int index = FindTagDataFrom(*ctx, type, id, start);
    if (index < 0)
        return -1;
    const TagData& entry = ctx->tagTable[index];
    if (value1)
        *value1 = entry.value1;
    if (value2)
        *value2 = entry.value2;
    copyOut(text1, entry.text1);
    copyOut(text2, entry.text2);
    return index;
}

int PlxSetUserTag(HWND hWnd, int id, const char* text)
{
    HtmlCtx* ctx = RequireHtmlCtx(&hWnd, true);
    return ctx ? SetUserTag(*ctx, id, text) : 0;
}

int PlxGetUserTag(HWND hWnd, int id, char* text)
{
    return PlxGetTagData(hWnd, kTagUser, id, 0, nullptr, nullptr, text, nullptr) >= 0 ? 1 : 0;
}

int PlxLparam2String(const char* source, char* destination)
{
    if (!source || !destination)
        return 0;
    std::memmove(destination, source, std::strlen(source) + 1);
    return 1;
}

int PlxString2Lparam(const char* source, char* destination) { return PlxLparam2String(source, destination); }

}
