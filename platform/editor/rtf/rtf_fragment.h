#pragma once
// Part of a document as RTF and back, for the clipboard: a selection is written
// with its fonts, paragraph formats and pictures; RTF read from elsewhere is put
// in at the caret through the editor's own edit, so the change is told as usual.
// Table structure stays where it is: cells copy and paste as paragraphs.
#include "platform/editor/model/editor.h"

#include <string>
#include <string_view>

namespace ks::editor::rtf {

std::string fragmentRtf(Editor& e, std::uint64_t from, std::uint64_t to);
// Replaces the selection with the RTF's text; false (nothing changed) when it is no RTF.
bool insertRtf(Editor& e, std::string_view bytes);

}
