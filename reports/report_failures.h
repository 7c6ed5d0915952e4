#pragma once
// The report screen's procedures go on past a failed step, and pass over the
// spreadsheet control's missing default printer without a word.
#include "platform/ui/failure.h"
#include "platform/workbook/engine/errors.h"

namespace ks {

inline void reportStep(const QString& caption, const std::function<void()>& step)
{
    ui::runStep(caption, step, {workbook::kErrNoPrinter});
}

}
