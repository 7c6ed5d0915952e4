#include "main/main_mod.h"

#include "common/settings.h"
#include "main/form_navigation.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"

namespace ks {

int VideoOnlyStart = 0;
int ImportMenuOn = 0;
int FirstPassDone = 0;
int QuitAfterResources = 0;

namespace {
QString g_commandLine;
}

void setCommandLine(const QString& line) { g_commandLine = line; }

void Main()
{
    try {
        if (g_commandLine == "\\VM")
            VideoOnlyStart = 1;
        if (g_commandLine == "\\IMPORT")
            ImportMenuOn = 1;
        if (FirstPassDone != 1) {
            form<FormNavigation>().Show(ShowMode::Modal);
            if (QuitAfterResources == 1)
                return;
        }
        FirstPassDone = 1;
        LoadSettings();
    } catch (const RuntimeError& e) {
        ui::MsgBox(QString::fromStdString(e.handlerText()), ui::OKOnly, "Error : Sub Main");
    }
}

}
