// A list-bar item or a file chosen with File > Open: a video plays in the video
// window while its notes load into the notes pane; any other file opens with
// its associated program. The notes of the last video are saved first.
#include "container/frm_main.h"

#include "common/c_open_file.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "container/main_video.h"
#include "container/module_procedures.h"
#include "container/notes_pane.h"
#include "container/video_notes.h"
#include "platform/controls/list_bar.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QDate>
#include <QLabel>
#include <QLocale>

namespace ks::container {

void frmMain::RB_ItemClick(controls::ListBarItem& item, controls::ListBarGroup& group)
{
    const QString caption = "Error in frmMain: Sub RB_ItemClick";
    try {
        const QString key = item.Key(), text = item.Text();
        if (!FileExists(key)) {
            ui::MsgBox("The file '" + key + "' was not found!\r\rIt will be removed from the list.",
                       ui::OKOnly | ui::Information);
            group.ListItems().Remove(key);
            return;
        }
        const bool notesSaved = saveCurrentNotes(caption);
        QString tag = item.Tag();
        const ItemAction action = itemAction(tag, key);
        item.setTag(tag);
        if (action == ItemAction::PlayVideo)
            playVideo(text, key, "This video reviews the following subject\r\n\r\n'" + text + " '", notesSaved, caption);
        else if (action == ItemAction::Launch)
            launch(key);
    } catch (const RuntimeError& e) {
        HourglassOff();
        ui::showFailure(e, caption);
    }
}

qint32 frmMain::FileOpen2()
{
    const QString caption = "FileOpen Error ";
    try {
        int filterIndex = 1;
        const QString path = ShowOpenDialog("All Files (*.*)|*.*", "", ProgramFile("templates"),
                                            ui::FileMustExist | ui::HideReadOnly, this, filterIndex);
        if (path.isEmpty())
            return 0;
        const QString name = GetFileTitle(path, true);
        const bool notesSaved = saveCurrentNotes(caption);
        // Every video opened this way shares the notes named after the program.
        if (path.right(3) == QLatin1String("wmv"))
            playVideo(App::title(), path, "This video reviews the following subject '\r\n\r\n" + name + " '", notesSaved,
                      caption);
        else
            launch(path);
    } catch (const RuntimeError& e) {
        HourglassOff();
        ui::showFailure(e, caption);
    }
    return 0;
}

void frmMain::playVideo(const QString& name, const QString& key, const QString& caption, bool loadNotes,
                        const QString& failureCaption)
{
    VideoNotes& notes = videoNotes();
    notes.videoName = name;
    const QPointer<frmMain> self(this);   // loading the notes lets events run: a close may come
    // Notes that could not be saved stay in the pane rather than be replaced;
    // notes that cannot be loaded are reported, and the video plays all the same.
    if (loadNotes)
        ui::runStep(failureCaption, [&] { LoadFile(); });
    if (closed(self))
        return HourglassOff();
    notes.videoKey = key;
    MainVideo& video = form<MainVideo>();
    video.Show();
    video.LabelCoach->setText(caption);
    video.MediaPlayer1->setURL(notes.videoKey);
    HourglassOff();
}

void frmMain::launch(const QString& path)
{
    HourglassOn();
    const QPointer<frmMain> self(this);
    DoEvents();
    // A window closed meanwhile owns nothing: the file still opens, as it was asked.
    qintptr window = closed(self) ? 0 : qintptr(winId());
    cOpenFile().LaunchFile(path, window);
    HourglassOff();
}

void frmMain::LoadFile()
{
    passingOn("LoadFile", [&] {
        VideoNotes& notes = videoNotes();
        const QString path = notesFileOf(notes.videoName);
        bool replaced = false;
        try {
            MakeDirPath(path.left(path.lastIndexOf('/')));
            if (FileExists(path)) {
                Toc1->LoadFile(path);
                replaced = true;
            } else {
                Toc1->LoadFile(notesTemplate());
                replaced = true;
                const QPointer<frmMain> self(this);
                DoEvents();
                if (closed(self))
                    return;   // closed meanwhile: no notes file is made for a pane that is going
                int how = 1;
                Toc1->FillMergeField("Videoname", notes.videoName, how);
                Toc1->FillMergeField("Date", QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat), how);
                Toc1->FillMergeField("Name of file", path, how);
                Toc1->SaveFile(path);
            }
        } catch (const RuntimeError&) {
            // The pane no longer shows the notes of the file it held: saves must not write it there.
            if (replaced) {
                notesFile_.clear();
                if (notes.holder == this)
                    notes.holder = nullptr;
            }
            throw;
        }
        holdNotes(path);
    });
}

void frmMain::holdNotes(const QString& path)
{
    VideoNotes& notes = videoNotes();
    notes.notesPath = path;
    notes.holder = this;
    notesFile_ = path;
}

bool frmMain::saveCurrentNotes(const QString& caption)
{
    VideoNotes& notes = videoNotes();
    frmMain* holder = notes.holder;
    if (notes.notesPath.isEmpty() || !holder || holder->notesFile_.isEmpty())
        return true;
    try {
        holder->Toc1->SaveFile(holder->notesFile_);
        return true;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
        return holder != this;
    }
}

bool frmMain::saveOwnNotes()
{
    if (notesFile_.isEmpty())
        return saveNotesAs();
    try {
        int how = 1;
        Toc1->SaveFile(notesFile_);
        Toc1->SaveFile(notesFile_, how);
        return true;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmMain: Sub mnuFileSave_Click");
        return saveNotesAs();
    }
}

bool frmMain::saveNotesAs()
{
    int filterIndex = 1;
    const QString name = ShowSaveDialog("RTF Files|*.rtf", "rtf", ProgramFile("templates/Your Notes"),
                                        ui::OverwritePrompt | ui::HideReadOnly, this, filterIndex);
    if (name.isEmpty())
        return false;
    try {
        Toc1->SaveFile(name);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmMain: Sub mnuFileSaveAs_Click");
        return false;
    }
    holdNotes(name);
    return true;
}

}
