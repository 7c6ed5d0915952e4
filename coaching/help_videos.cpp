#include "coaching/help_videos.h"

#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/c_open_file.h"
#include "common/paths.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QComboBox>
#include <QLabel>

namespace ks {

void OpenManual(const QString& relative)
{
    cOpenFile opener;
    opener.LaunchFile(ProgramFile(relative));
}

void ResetCoachWindowForHelp()
{
    MainVideo& video = form<MainVideo>();
    video.Show();
    video.Combo1->setEditText(kTopicPrompt);
    video.LabelCoach->setText(kCoachPrompt);
}

void PlayHelpVideo(const QString& file, const char* errorCaption)
{
    try {
        ResetCoachWindowForHelp();
        form<MainVideo>().MediaPlayer1->setURL(ProgramFile("Help/" + file));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, errorCaption);
    }
}

}
