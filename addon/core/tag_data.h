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

}
