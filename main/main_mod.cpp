#include "main/main_mod.h"

#include "common/settings.h"
#include "coaching/coach_state.h"
#include "main/form_navigation.h"
#include "main/frm_save_as_template.h"

#include <QLabel>
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

namespace {

// The settings check and the video window reach the video-folder dialog through these.
void connectVideoFolderDialog()
{
    auto explain = [](const QString& text) { form<frmSaveAsTemplate>().Label1->setText(text); };
    auto show = [] { form<frmSaveAsTemplate>().Show(); };
    setVideoFolderDialogSeam({explain, show});
    scorecardLink().setVideoFolderExplanation = explain;
    scorecardLink().showVideoFolderDialog = show;
}

}

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
        connectVideoFolderDialog();
        LoadSettings();
        if (VideoSetupPending == 1)
            return;
    } catch (const RuntimeError& e) {
        ui::MsgBox(QString::fromStdString(e.handlerText()), ui::OKOnly, "Error : Sub Main");
    }
}

}
