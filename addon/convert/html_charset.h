#pragma once
// The character set of a page. The reader takes Windows-1252 text; a UTF-8 page is
// turned into it first, so that its characters read as the page meant them.
#include <string>
#include <string_view>

namespace ks::addon {

// A page is UTF-8 when it starts with the UTF-8 byte-order mark, when a "meta" tag (its
// charset, or the charset of an http-equiv content type) or its XML declaration names
// UTF-8, or when it names no character set and its bytes above 127 are all UTF-8.
bool IsUtf8Page(std::string_view page);

// A UTF-8 page as Windows-1252 text, without its byte-order mark. A character Windows-1252
// lacks becomes its reference ("&rarr;", or "&#8203;" where HTML names none), which the
// reader keeps and the writer writes back; a byte that is no part of a UTF-8 character
// keeps its Windows-1252 reading.
std::string Utf8PageToWindows1252(std::string_view page);

}
