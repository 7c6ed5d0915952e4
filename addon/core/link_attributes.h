#pragma once
// Attribute values of a link's hidden data ("href=a.htm target=_top name=x"):
// names compared without letter case, values bare, or in double or single quotes.
#include <cstddef>

namespace ks::addon {

// 1 and the value in out (at most size - 1 characters) when the attribute is present; else 0 and "".
int GetLinkAttribute(const char* data, const char* name, char* out, std::size_t size);

// Moves the caret to the named anchor; 0 when the document holds none of that name.
int PositionAtName(void* hWnd, const char* name);

}
