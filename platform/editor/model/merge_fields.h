#pragma once
// Merge fields: a field's result text is kept in fonts that carry the field's
// number, so the field survives edits around it and the writer can put it back.
#include "platform/editor/model/editor.h"

namespace ks::editor {

// Replaces the result text of every field of that name (compared without regard to case);
// the number of fields filled.
int fillMergeField(Editor& e, const std::string& name, const std::string& value);

}
