#include "container/video_folder_dialog.h"

#include "common/dialogs.h"
#include "container/main_mod.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"

#include <QLabel>
#include <QPushButton>

namespace ks::container {

frmSaveAsTemplate::frmSaveAsTemplate()
{
    // Choosing a file changes nothing here: the browse button is not shown.
    cmdPath->hide();
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmSaveAsTemplate::cmdOK_Click()
{
    try {
        if (!labelHasIntro()) {
            askForIntro();
            return;
        }
        if (noVideosAndLookAgain(lblOutputPath->text().chopped(9)))
            return;
        HourglassOn();
        setButtonsEnabled(false);
        Unload();
        HourglassOff();
    } catch (const RuntimeError& e) {
        HourglassOff();
        setButtonsEnabled(true);
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub cmdOK_Click");
    }
}

void frmSaveAsTemplate::runMain() { Main(); }

}
