#pragma once
// Values of a tag's attribute text ("href=a.htm width=50% color=#ff0000"): attribute
// lookup, lengths in twips, colours.
#include "addon/base/html_ctx.h"

#include <initializer_list>
#include <string>

namespace ks::addon {

// Values are read whole, whatever their length: real pages carry long addresses.
// The next attribute of text: its name and value; the characters consumed, 0 when none is left.
int NextHtmlAttrib(HtmlCtx* ctx, const char* text, std::string& name, std::string& value);
// 1 and the value (empty without "=") when an attribute of that name (ignoring case)
// is present, the first of the name winning; 0 and an empty value when not.
// A character reference kept as written (one Windows-1252 lacks) is text in the value.
int GetHtmlAttrib(HtmlCtx* ctx, const char* text, const char* name, std::string& value);
// The same, its kept references with their marks (kKeptReferenceMark) for the "&": for
// values kept to be written back (alt texts, fields' values), which tell them from an "&"
// a user types.
int GetHtmlAttribKept(HtmlCtx* ctx, const char* text, const char* name, std::string& value);

// The attribute text without the attributes of these names (ignoring case); the others as
// written, apart by one blank.
std::string HtmlAttribsWithout(const char* text, std::initializer_list<const char*> names);

// Twips; a percentage (when allowed) as its negative. Pixels use the context's pixels
// per inch, across when horizontal, else down.
int ParseHtmlSize(HtmlCtx* ctx, const char* text, bool horizontal, bool allowPercent);

// A colour name (the 140 names, ignoring case), else "#rrggbb" with or without the "#";
// missing components are 0.
COLORREF GetHtmlColor(HtmlCtx* ctx, const char* text);
// The colour of a name, when it is one of the 140.
bool HtmlColorName(const char* name, COLORREF& colour);

}
