#include "main/frm_save_as_template.h"

#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "common/settings.h"
#include "main/main_mod.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ks {

QString DialogFolder;
QString CDDrive;

namespace {

const QString kIntro = QStringLiteral("intro.wmv");

}

void FindCDDrive()
{
    // The first mounted optical disc, in mount order.
    CDDrive.clear();
    QFile mounts("/proc/mounts");
    if (!mounts.open(QIODevice::ReadOnly))
        return;
    while (!mounts.atEnd()) {
        const QList<QByteArray> fields = mounts.readLine().split(' ');
        if (fields.size() > 2 && (fields[2] == "iso9660" || fields[2] == "udf")) {
            CDDrive = QString::fromUtf8(fields[1]).replace("\\040", " ");
            return;
        }
    }
}

QString frmSaveAsTemplate::designedExplanation()
{
    return QStringList{
        "You need to set up the path for your video clips. If you did not install the videos they will be located "
        "on your CD. Please click on the ",
        "...", " button below and point to the file intro.wmv. Note that there should be a directory called ",
        "Videos", " at this location which contains your video files."}
        .join('"');
}

frmSaveAsTemplate::frmSaveAsTemplate() : Form("frmSaveAsTemplate")
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

    QObject::connect(cmdPath, &QPushButton::clicked, this, [this] { cmdPath_Click(); });
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    QObject::connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSaveAsTemplate::Form_Load()
{
    try {
        FindCDDrive();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub frmsaveas_Load_err");
    }
}

bool frmSaveAsTemplate::labelHasIntro() const { return lblOutputPath->text().endsWith(kIntro); }

void frmSaveAsTemplate::setButtonsEnabled(bool on)
{
    cmdOK->setEnabled(on);
    cmdCancel->setEnabled(on);
    cmdPath->setEnabled(on);
}

void frmSaveAsTemplate::cmdPath_Click()
{
    try {
        const QString start = AddBackslash(CDDrive.isEmpty() ? App::path() : CDDrive);
        int filterIndex = 1;
        const QString chosen = ShowOpenDialog("Coach Files|*.wmv", "", start, 4100, this, filterIndex);
        if (chosen.isEmpty())
            return;   // a cancelled choice changes nothing
        DialogFolder = chosen;
        if (!labelHasIntro()) {
            lblOutputPath->setText(DialogFolder);
            lblOutputPath->setProperty("tag", DialogFolder);
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub cmdPath_Click");
    }
}

void frmSaveAsTemplate::cmdOK_Click()
{
    try {
        if (!labelHasIntro()) {
            ui::MsgBox("Please select the directory where your video files are installed and locate the file "
                       "intro.wmv.\r\nYou may view the videos directly from your CD. Make sure your CD is inserted "
                       "and navigate and select the file intro.wmv which is in the root directory of your CD",
                       ui::OKOnly | ui::Information);
            cmdPath_Click();
            if (!labelHasIntro())
                return;
        }
        const QString folder = lblOutputPath->text().chopped(kIntro.size());
        if (ListFiles(AddBackslash(folder) + "videos/*.*", ListWithFolders).size() < 2
            && ui::MsgBox("There appears to be no videos in this directory. Please insert your cd and point to the "
                          "intro.wmv file on your cd. Press Ok if you wish to try and locate again.",
                          ui::OKCancel | ui::Question) == ui::OK)
            return;

        HourglassOn();
        DoEvents();
        setButtonsEnabled(false);
        const bool accepted = FileExists(DialogFolder);
        if (accepted) {
            DialogFolder = folder;
            VideoPath = folder;
            SettingValue = VideoPath;
            SettingKey = "PATH";
            StoreSetting();
            VideoSetupPending = 0;
            VideoBaseFolder = VideoPath;
            if (OpenedFromVideoOptions == 1) {
                MainVideo& video = form<MainVideo>();
                video.loadcombo();
                video.Combo1->setEditText("What area do you need help...");
                DoEvents();
            }
            OpenedFromVideoOptions = 0;
        }
        // Unloaded before Main runs, so a dialog that Main opens again is a fresh one.
        Unload();
        HourglassOff();
        if (accepted)
            Main();
    } catch (const RuntimeError& e) {
        HourglassOff();
        setButtonsEnabled(true);
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub cmdOK_Click");
    }
}

void frmSaveAsTemplate::cmdCancel_Click()
{
    try {
        ui::MsgBox("You will not be able to view the coaching videos until you configure this.\r\n We will startup "
                   "the scorecard and basic coaching comments",
                   ui::OKOnly | ui::Information);
        Unload();
        Main();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub cmdCancel_Click");
    }
}

}
