#include "container/document_state.h"

#include "container/cls_paths.h"

namespace ks {

void clsfrmMain::setDatabase(const QString& path) { database_ = clsPaths().LongName(path); }

}
