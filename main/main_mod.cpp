#include "main/main_mod.h"

#include "common/settings.h"
#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "main/form_navigation.h"
#include "main/frm_about.h"
#include "main/frm_save_as_template.h"

#include <QComboBox>
#include <QLabel>
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "scorecard/window/form_graph_options.h"
#include "scorecard/window/form_options.h"
#include "scorecard/window/spread_form.h"

namespace ks {

int VideoOnlyStart = 0;
int ImportMenuOn = 0;
int FirstPassDone = 0;
int QuitAfterResources = 0;

std::array<FormSlot*, 8> FormTable{};

namespace {
QString g_commandLine;

// Naming each window creates its instance without loading it.
void fillFormTable()
{
    FormTable = {&formSlot<SpreadForm>(), &formSlot<MainVideo>(), &formSlot<frmSaveAsTemplate>(),
                 &formSlot<FormcreatingGraphs>(), &formSlot<FormOptions>(), &formSlot<frmAbout>(),
                 &formSlot<FormGraphOptions>(),
                 &formSlot<FormNavigation>()};
    for (FormSlot* slot : FormTable)
        if (slot)
            slot->instance();
}

void connectScorecardWindow()
{
    spreadFormHooks().unloadAllForms = UnloadAllForms;
    spreadFormHooks().importMenuOn = [] { return ImportMenuOn == 1; };
    spreadFormHooks().showAbout = [] { form<frmAbout>().Show(ShowMode::Modal); };
}
}

void UnloadAllForms()
{
    for (int entry : {1, 2, 3, 4, 5, 6, 7, 0})
        if (FormSlot* slot = FormTable[entry])
            slot->Unload();
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
        fillFormTable();
        connectVideoFolderDialog();
        connectScorecardWindow();
        LoadSettings();
        if (VideoSetupPending == 1)
            return;
        if (VideoOnlyStart == 1) {
            form<MainVideo>().Show();
            return;
        }
        if (form<SpreadForm>().ComboCoachMode->currentIndex() < 2)
            form<MainVideo>().Show();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error : Sub Main");
    }
}

}
