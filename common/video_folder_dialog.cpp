#include "common/video_folder_dialog.h"

#include "common/paths.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ks {

QString VideoFolderDialog::designedExplanation()
{
    return QStringList{
        "You need to set up the path for your video clips. If you did not install the videos they will be located "
        "on your CD. Please click on the ",
        "...", " button below and point to the file intro.wmv. Note that there should be a directory called ",
        "Videos", " at this location which contains your video files."}
        .join('"');
}

VideoFolderDialog::VideoFolderDialog() : Form("frmSaveAsTemplate")
{
    setWindowTitle("Video Clip Path");
    Label1 = new QLabel(designedExplanation());
    Label1->setWordWrap(true);
    lblOutput = new QLabel("Output Path:");
    lblOutputPath = new QLabel;
    lblOutputPath->setFrameShape(QFrame::StyledPanel);
    lblOutputPath->setMinimumWidth(320);
    cmdPath = new QPushButton("...");
    cmdOK = new QPushButton("OK");
    cmdCancel = new QPushButton("Cancel");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 3);
    grid->addWidget(lblOutput, 1, 0);
    grid->addWidget(lblOutputPath, 1, 1);
    grid->addWidget(cmdPath, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 3);

    QObject::connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

bool VideoFolderDialog::labelHasIntro() const { return lblOutputPath->text().endsWith("intro.wmv"); }

void VideoFolderDialog::setButtonsEnabled(bool on)
{
    cmdOK->setEnabled(on);
    cmdCancel->setEnabled(on);
    cmdPath->setEnabled(on);
}

void VideoFolderDialog::askForIntro()
{
    ui::MsgBox("Please select the directory where your video files are installed and locate the file "
               "intro.wmv.\r\nYou may view the videos directly from your CD. Make sure your CD is inserted "
               "and navigate and select the file intro.wmv which is in the root directory of your CD",
               ui::OKOnly | ui::Information);
}

bool VideoFolderDialog::noVideosAndLookAgain(const QString& folder)
{
    return ListFiles(AddBackslash(folder) + "videos/*.*", ListWithFolders).size() < 2
        && ui::MsgBox("There appears to be no videos in this directory. Please insert your cd and point to the "
                      "intro.wmv file on your cd. Press Ok if you wish to try and locate again.",
                      ui::OKCancel | ui::Question) == ui::OK;
}

void VideoFolderDialog::cmdCancel_Click()
{
    try {
        ui::MsgBox("You will not be able to view the coaching videos until you configure this.\r\n We will startup "
                   "the scorecard and basic coaching comments",
                   ui::OKOnly | ui::Information);
        Unload();
        runMain();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub cmdCancel_Click");
    }
}

}
