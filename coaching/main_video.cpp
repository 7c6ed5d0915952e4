#include "coaching/main_video.h"

#include "coaching/coach_state.h"
#include "coaching/questions.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace ks {
namespace {

constexpr int kErrBadFileName = 52;
constexpr int kErrPathNotFound = 76;

QString introVideo() { return ProgramFile("Templates/intro.wmv"); }

}

MainVideo::MainVideo()
{
    QObject::connect(MediaPlayer1, &MediaPlayer::PlayStateChange, this, &MainVideo::MediaPlayer1_PlayStateChange);
    QObject::connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(*this); });
    QObject::connect(CommandVidOptions, &QPushButton::clicked, this, [this] { CommandVidOptions_Click(); });
    QObject::connect(CommandRes, &QPushButton::clicked, this, [this] { CommandRes_Click(); });
}

void MainVideo::showVideoFolderDialog()
{
    if (scorecardLink().showVideoFolderDialog)
        scorecardLink().showVideoFolderDialog();
}

void MainVideo::Form_Load()
{
    try {
        formontop(*this);
        loadvideo();
        if (VideoSetupPending != 1) {
            setWindowTitle(AppTitle);
            if (scorecardLink().showScorecardWindow)
                scorecardLink().showScorecardWindow();
        }
    } catch (RuntimeError& e) {
        if (e.number() != kErrBadFileName && e.number() != kErrPathNotFound)
            throw e.passOn("VIDEO FORM LOAD");
        handleVideoFolderFailure(e.number());
    }
}

void MainVideo::loadvideo()
{
    try {
        Combo1->setEditText("What area do you need help...");
        if (!VideoBaseFolder.isEmpty()) {
            loadcombo();
            DoEvents();
            MediaPlayer1->setURL(introVideo());
        }
        Show();
        loadingtext->hide();
    } catch (RuntimeError& e) {
        if (e.number() != kErrBadFileName && e.number() != kErrPathNotFound)
            throw e.passOn("LOAD VIDEO SUB");
        handleVideoFolderFailure(e.number());
    }
}

void MainVideo::handleVideoFolderFailure(int number)
{
    const QString text = number == kErrBadFileName
        ? "We can't seem to locate your video clips. If they are on a CD please make sure the CD is inserted. "
          "Otherwise select the directory by finding the intro.wmv file."
        : "We can't seem to locate your video clips. The path that is saved seems to have been deleted or moved. "
          "If the video clips are on a CD please make sure the CD is inserted. Otherwise select the directory by "
          "finding the intro.wmv file.";
    if (scorecardLink().setVideoFolderExplanation)
        scorecardLink().setVideoFolderExplanation(text);
    if (scorecardLink().showVideoFolderDialog)
        scorecardLink().showVideoFolderDialog();
    Hide();
}

void MainVideo::loadcombo()
{
    try {
        GetFiles(AddBackslash(VideoBaseFolder) + "videos/*.*", ListWithFolders);
    } catch (const RuntimeError&) {
        // An unreadable folder leaves the list as far as it got.
    }
}

QStringList MainVideo::GetFiles(const QString& filespec, int attributes)
{
    return passingOn("GetFiles", [&] {
        // Filling the list keeps the prompt in its edit field; no item is chosen.
        const QString prompt = Combo1->currentText();
        Combo1->clear();
        const QStringList names = ListFiles(filespec, attributes);
        for (const QString& name : names) {
            loadingtext->setText(name);
            if (name == "." || name == ".." || name.isEmpty())
                continue;
            // The name up to its last dot; a name without one is listed whole.
            const int dot = int(name.lastIndexOf('.'));
            Combo1->addItem(dot > 0 ? name.left(dot) : name);
        }
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(prompt);
        return names;
    });
}

bool MainVideo::DirExists(const QString& dirname) { return FolderExists(dirname); }

void MainVideo::CommandVidOptions_Click()
{
    ui::runStep("CommandVidOptions_Click_err", [&] {
        OpenedFromVideoOptions = 1;
        if (scorecardLink().showVideoFolderDialog)
            scorecardLink().showVideoFolderDialog();
    });
}

void MainVideo::CommandRes_Click()
{
    ui::runStep("CommandRes_Click_err", [&] { ClearCoachCommentCounters(); });
}

void MainVideo::MediaPlayer1_PlayStateChange(int)
{
    // The player's own state, not the event's, decides.
    if (MediaPlayer1->playState() == PlayStateMediaEnded)
        UpdateCoachWindow();
}

void MainVideo::Form_QueryUnload(int&, int)
{
    ui::runStep("MainVideo_QueryUnload_ErrHandler:", [&] { MediaPlayer1->close(); });
}

namespace {

constexpr int kCoachOff = 2;

int coachMode()
{
    return scorecardLink().coachMode ? scorecardLink().coachMode() : -1;
}

void showWithPrompts(MainVideo& video)
{
    video.Show();
    video.LabelCoach->setText(kCoachPrompt);
    video.Combo1->setEditText(kTopicPrompt);
}

}

void ShowCoachWindow()
{
    ui::runStep("Error : CheckCoachMode_err", [&] {
        MainVideo& video = form<MainVideo>();
        if (coachMode() == kCoachOff)
            video.Hide();
        else
            showWithPrompts(video);
    });
}

void UpdateCoachWindow()
{
    ui::runStep("Error : CheckCoachMode_err", [&] {
        MainVideo& video = form<MainVideo>();
        const ScorecardLink& link = scorecardLink();
        if (coachMode() == kCoachOff || (link.currentSheet && link.currentSheet() != 1))
            video.Hide();
        else
            showWithPrompts(video);
        if (link.reportVisible && link.reportVisible())
            video.Hide();
    });
}

}
