#pragma once
#include "platform/editor/model/editor.h"

namespace ks::editor {

// The line flags of a line (see EditorGetLineInfo); 0 for a missing line.
std::uint32_t lineFlags(Editor& e, std::size_t line);
// The same from the line, its characters and its paragraph's format.
std::uint32_t lineFlags(const Line& l, std::string_view chars, const ParaFormat& f);
// Whether a format draws as a horizontal rule.
bool isRule(const ParaFormat& f);

}
