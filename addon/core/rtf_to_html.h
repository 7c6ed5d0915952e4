#pragma once
// Turning a document loaded as RTF into one with HTML paragraph types: large text becomes
// headers, hanging numbered or bulleted paragraphs list items, a bordered paragraph of one
// character a rule, pictures get files; then the document is written and read back.
#include "addon/base/html_ctx.h"

namespace ks::addon {

// Options: 1 derives no headers from font sizes.
inline constexpr int kRtfNoHeaders = 1;

// The paragraph types of every paragraph that has none yet; pictures without a file get one
// named after pictureBase (may be null). 1, or 0 when the editor cannot be read.
int MapRtfParagraphs(HtmlCtx& ctx, HWND hWnd, const char* pictureBase, int options);
// The mapping on the (redirected) window's document, then its rebuild as HTML with sizes
// taken from point sizes. 1, or 0 when there is no context or a step failed.
int RtfToHtml(HWND hWnd, const char* pictureBase, int options);

}
