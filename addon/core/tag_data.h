#pragma once
// The context's tag-data table: what a page says that the document has no place for
// (meta and user tags, picture sizes and maps, the cell attribute "qfn"), kept as typed
// entries with owned texts until the document is cleared.
#include "addon/base/html_ctx.h"

namespace ks::addon {

inline constexpr int kTagTableStep = 50;

// The entry's index, or -1 when the table cannot grow. Reuses the first free entry;
// text 1 becomes a copy of text (null when the copy fails), text 2 null; the values stay.
int AddTagData(HtmlCtx& ctx, int type, int id, const char* text);
// Frees the entry's texts and marks it free; 1.
int DeleteTagData(HtmlCtx& ctx, int index);
// Every entry and the table itself; 1.
int FreeTagData(HtmlCtx& ctx);
// The first entry in use of that type and id, or null.
const TagData* FindTagData(const HtmlCtx& ctx, int type, int id);
// Index of the first entry in use at or after start with that type and id, or -1.
int FindTagDataFrom(const HtmlCtx& ctx, int type, int id, int start);
// Replaces text 2 of an entry in use with a copy of text.
void SetTagDataText2(HtmlCtx& ctx, int index, const char* text);
// A user tag of the host: replaces the tag with that id; an empty text only deletes it.
// 1, or 0 when the new tag could not be added.
int SetUserTag(HtmlCtx& ctx, int id, const char* text);

}
