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
#include <QRadioButton>
#include <QStyle>

namespace ks {
namespace {

constexpr int kErrBadFileName = 52;
constexpr int kErrPathNotFound = 76;

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QString introVideo() { return ProgramFile("Templates/intro.wmv"); }

}

MainVideo::MainVideo() : Form("MainVideo")
{
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixelsX(5325), twipsToPixelsY(3630));
    buildControls();
}

void MainVideo::buildControls()
{
    MediaPlayer1 = new MediaPlayer(this);
    MediaPlayer1->setGeometry(twipsRect(120, 600, 3375, 3015));
    MediaPlayer1->PlayStateChange = [this](int s) { MediaPlayer1_PlayStateChange(s); };

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setGeometry(twipsRect(120, 240, 3375, 315));
    Combo1->setEditText("Ask me a question");
    QObject::connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });

    const double panel = 3615;
    LabelCoach = new QLabel(this);
    LabelCoach->setGeometry(twipsRect(panel, 120, 1575, 1500));
    LabelCoach->setWordWrap(true);
    LabelCoach->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LabelCoach->setStyleSheet("color: blue;");

    Command1 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString(), this);
    Command1->setToolTip("Set the video folder");
    Command1->setGeometry(twipsRect(panel, 1680, 500, 400));
    Command2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), this);
    Command2->setToolTip("Answer");
    Command2->setGeometry(twipsRect(panel + 600, 1680, 500, 400));

    // Top to bottom on screen: 4, 3, 2, 0, 1.
    const int order[5] = {3, 4, 2, 1, 0};
    for (int i = 0; i < 5; ++i) {
        Optionyesno[i] = new QRadioButton("Option1", this);
        Optionyesno[i]->setGeometry(twipsRect(panel, 2160 + order[i] * 240, 1575, 240));
        Optionyesno[i]->hide();
    }
    Optionyesno[0]->setChecked(true);
    LabelQid = new QLabel(this);
    LabelQid->setGeometry(twipsRect(panel, 3360, 500, 240));

    CommandRes = new QPushButton("Res.", this);
    CommandRes->setGeometry(twipsRect(panel + 600, 3360, 450, 240));
    CommandVidOptions = new QPushButton("Opt.", this);
    CommandVidOptions->setGeometry(twipsRect(panel + 1100, 3360, 450, 240));
    loadingtext = new QLabel(this);
    loadingtext->hide();

    QObject::connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    QObject::connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(*this); });
    QObject::connect(CommandVidOptions, &QPushButton::clicked, this, [this] { CommandVidOptions_Click(); });
    QObject::connect(CommandRes, &QPushButton::clicked, this, [this] { CommandRes_Click(); });
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

void MainVideo::Combo1_Click()
{
    ui::runStep("Combo1_Click_err", [&] {
        MediaPlayer1->setURL(AddBackslash(VideoBaseFolder) + "videos/" + Combo1->currentText() + ".wmv");
    });
}

void MainVideo::Command1_Click()
{
    ui::runStep("MainVideo_Command1_Click_err", [&] {
        if (scorecardLink().showVideoFolderDialog)
            scorecardLink().showVideoFolderDialog();
        Unload();
    });
}

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

void MainVideo::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (placing_ || !isLoaded())
        return;
    placing_ = true;
    ui::runStep("MainVideo_FormResize_err:", [&] { formontop(*this); });
    placing_ = false;
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
