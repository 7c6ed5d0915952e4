#include "common/paths.h"
#include "common/settings.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/ui.h"

#include <QDir>

namespace ks {

QString AppTitle;
QString VideoPath;
QString LastFilePath;
QString GraphFolder;
QString CoachModeText;
QString CurrentVideoFolder;
QString CommentVideoFolder;
QString SilentVideoFolder;
QString VideoBaseFolder;
int VideoSetupPending = 0;

namespace {

VideoFolderDialogSeam g_dialog;

// The bundled settings name places in the program folder relative to it, so that a
// copied program folder uses its own files; what the program stores is absolute.
QString programRelative(const QString& value)
{
    return value.isEmpty() || QDir::isAbsolutePath(value) ? value : ProgramFile(value);
}

QString settingText(const char* key, const SettingsDocument& document)
{
    return programRelative(GetXMLNodeText(QString::fromLatin1(key), document));
}

void openVideoFolderDialog()
{
    if (g_dialog.showModeless)
        g_dialog.showModeless();
    VideoSetupPending = 1;
}

// True when the check leaves the dialog open and the pass must stop.
bool videoFolderCheckOpensDialog()
{
    if (!VideoPath.isEmpty()) {
        if (!FileExists(AddBackslash(VideoPath) + "intro.wmv")) {
            if (g_dialog.setExplanation)
                g_dialog.setExplanation(
                    "We can't seem to locate your video clips. The path that is saved seems to have been deleted "
                    "or moved. If the video clips are on a CD please make sure the CD is inserted. Otherwise select "
                    "the directory by finding the intro.wmv file.");
            openVideoFolderDialog();
            return true;
        }
        VideoBaseFolder = VideoPath;
        if (!FolderExists(AddBackslash(VideoPath) + "videos")
            && ui::MsgBox("We can't seem to locate the 'Video' folder. Do you want to locate it now?",
                          ui::YesNoCancel | ui::Question) == ui::Yes) {
            openVideoFolderDialog();
            return true;
        }
        return false;
    }
    if (FolderExists(ProgramFile("Templates/videos"))) {
        VideoPath = ProgramFile("Templates");
        VideoBaseFolder = VideoPath;
        return false;
    }
    openVideoFolderDialog();
    return true;
}

// A video folder setting: empty or a missing folder becomes the default, stored.
QString videoFolderSetting(const QString& key, const QString& value, const QString& defaultName)
{
    const QString fallback = AddBackslash(App::path()) + defaultName;
    QString folder = value;
    if (folder.isEmpty()) {
        folder = fallback;
        StoreSetting(key, folder);
    }
    if (!FolderExists(folder)) {
        folder = fallback;
        StoreSetting(key, folder);
    }
    return folder;
}

}

void setVideoFolderDialogSeam(VideoFolderDialogSeam seam) { g_dialog = std::move(seam); }

void LoadSettings()
{
    passingOn("LoadSettings", [&] {
        SettingsDocument document;
        if (!LoadSettingsDocument(SettingsFilePath(), document))
            return;
        AppTitle = GetXMLNodeText("TITLE", document);
        VideoPath = settingText("PATH", document);
        if (VideoSetupPending == 0 && videoFolderCheckOpensDialog())
            return;
        VideoSetupPending = 0;
        LastFilePath = settingText("LASTFILE", document);
        App::setTitle(AppTitle);
        GraphFolder = settingText("GRAPHDIR", document);
        CurrentVideoFolder = videoFolderSetting("COMMENTVIDEO", settingText("COMMENTVIDEO", document), "Commentvideo");
        CommentVideoFolder = CurrentVideoFolder;
        SilentVideoFolder = videoFolderSetting("SILENTVIDEO", settingText("SILENTVIDEO", document), "SilentVideo");
        CoachModeText = GetXMLNodeText("COACHMODE", document);
    });
}

}
