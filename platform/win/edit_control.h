#pragma once
// The edit control: one line or many (ES_MULTILINE), a password mask (ES_PASSWORD),
// digits only (ES_NUMBER), a text limit (EM_LIMITTEXT) and a selection that typed
// characters (WM_CHAR) and EM_REPLACESEL replace. The user's changes reach the
// parent as EN_CHANGE; a character past the limit is refused with EN_MAXTEXT.
#include "platform/win/window_handle.h"

namespace ks::win {

std::shared_ptr<Window> makeEdit();

}
