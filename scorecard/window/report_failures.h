#pragma once
// How the report screen's procedures tell of a failure: the description and the error
// number in a box under the procedure's own title. The spreadsheet control's missing
// default printer is passed over where a procedure asks for that.
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"
#include "platform/workbook/engine/errors.h"

#include <QString>

namespace ks {

inline void showReportFailure(const RuntimeError& e, const QString& caption)
{
    ui::MsgBox(QString::fromStdString(e.handlerText()), ui::OKOnly, caption);
}

// Runs one step; a failure is shown (unless it is the missing printer) and the caller goes on.
template <class F>
void reportStep(const QString& caption, F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        if (e.number() != workbook::kErrNoPrinter)
            showReportFailure(e, caption);
    }
}

}
