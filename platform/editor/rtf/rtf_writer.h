#pragma once
// Writes an editor's document as RTF. The output depends only on the document
// (never on font ids), and our reader keeps all of it, so a file we wrote, read
// and written again, gives the same bytes. One thing is normalised by reading: a
// document without a single paragraph (a frameset's own window) comes back with one
// empty paragraph, as every document read has one.
#include "platform/editor/model/editor.h"

#include <string>

namespace ks::editor::rtf {

std::string writeRtf(Editor& e);

}
