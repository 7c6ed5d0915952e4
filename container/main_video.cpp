#include "container/main_video.h"

#include "common/dialogs.h"
#include "container/container_settings.h"
#include "container/video_folder_dialog.h"
#include "platform/media/media_player.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace ks::container {

MainVideo::MainVideo()
{
    // The answer and RES buttons have nothing to do here: they are not shown.
    Command2->hide();
    CommandRes->hide();
    QObject::connect(CommandVidOptions, &QPushButton::clicked, this, [this] { CommandVidOptions_Click(); });
}

void MainVideo::Form_Load()
{
    try {
        formontop(*this);
        StartUp();
        setWindowTitle(settings().title);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in MainVideo: Sub Form_Load");
    }
}

void MainVideo::StartUp()
{
    Combo1->setEditText("What area do you need help...");
    Show();
    loadingtext->hide();
}

void MainVideo::CommandVidOptions_Click()
{
    ui::runStep("Error in MainVideo: Sub CommandVidOptions_Click", [&] { showVideoFolderDialog(); });
}

void MainVideo::showVideoFolderDialog() { form<frmSaveAsTemplate>().Show(); }

void MainVideo::Form_QueryUnload(int&, int)
{
    ui::runStep("Error in MainVideo: Sub Form_QueryUnload", [&] { MediaPlayer1->close(); });
}

}
