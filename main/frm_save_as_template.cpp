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

QString firstOpticalMount(const QByteArray& mountTable)
{
    for (const QByteArray& line : mountTable.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 2 && (fields[2] == "iso9660" || fields[2] == "udf"))
            return QString::fromUtf8(fields[1]).replace("\\040", " ");
    }
    return {};
}

void FindCDDrive()
{
    // The first mounted optical disc, in mount order. The kernel's table reports
    // a size of 0, so it is read whole rather than line by line up to its end.
    CDDrive.clear();
    QFile mounts("/proc/mounts");
    if (mounts.open(QIODevice::ReadOnly))
        CDDrive = firstOpticalMount(mounts.readAll());
}

frmSaveAsTemplate::frmSaveAsTemplate()
{
    QObject::connect(cmdPath, &QPushButton::clicked, this, [this] { cmdPath_Click(); });
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmSaveAsTemplate::Form_Load()
{
    try {
        FindCDDrive();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSaveAsTemplate: Sub frmsaveas_Load_err");
    }
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
            askForIntro();
            cmdPath_Click();
            if (!labelHasIntro())
                return;
        }
        const QString folder = lblOutputPath->text().chopped(kIntro.size());
        if (noVideosAndLookAgain(folder))
            return;

        HourglassOn();
        DoEvents();
        setButtonsEnabled(false);
        const bool accepted = FileExists(DialogFolder);
        if (accepted) {
            DialogFolder = folder;
            VideoPath = folder;
            StoreSetting("PATH", VideoPath);
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

void frmSaveAsTemplate::runMain() { Main(); }

}
