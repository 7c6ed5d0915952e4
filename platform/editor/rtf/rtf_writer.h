#pragma once
// Writes an editor's document as RTF. The output depends only on the document
// (never on font ids), so saving what was loaded from our own file gives the
// same bytes again.
#include "platform/editor/model/editor.h"

#include <string>

namespace ks::editor::rtf {

std::string writeRtf(Editor& e);

}
