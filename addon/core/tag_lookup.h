#pragma once
// Reading the tag-data table: the entries the writer turns back into attributes.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// The first entry in use of that type and id, or null.
const TagData* FindTagData(const HtmlCtx& ctx, int type, int id);

}
