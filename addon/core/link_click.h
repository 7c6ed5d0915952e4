#pragma once
// A click on a link of an editor window: what the host hears of it.
#include "addon/base/html_ctx.h"

struct LinkClickRecord;

namespace ks::addon {

LRESULT LinkClicked(HtmlCtx& ctx, HWND hWnd, LinkClickRecord* record, bool readOnly);

}
