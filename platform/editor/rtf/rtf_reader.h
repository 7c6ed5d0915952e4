#pragma once
// Reads RTF into an editor's document, replacing it. What the reader does not
// know it skips; a damaged file (unbalanced groups, a cut-off end, absurd
// numbers) loads as far as it goes and says so.
#include "platform/editor/model/editor.h"

#include <string>
#include <string_view>

namespace ks::editor::rtf {

enum class ReadResult {
    NotRtf,    // not RTF at all: the document was left as it was
    Loaded,
    Repaired,  // loaded, but the file was damaged
};

bool looksLikeRtf(std::string_view bytes);
// folder: where linked pictures (INCLUDEPICTURE) are looked up, ending in a separator or empty.
ReadResult readRtf(Editor& e, std::string_view bytes, const std::string& folder = {});
// Plain text: each line a paragraph in font 0.
void readPlainText(Editor& e, std::string_view text);

}
