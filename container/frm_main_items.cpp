// A list-bar item or a file chosen with File > Open: a video plays in the video
// window while its notes load into the notes pane; any other file opens with
// its associated program. The notes of the last video are saved first, and
// notes no file can take are never dropped without the user's word.
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
        QString tag = item.Tag();
        const ItemAction action = itemAction(tag, key);
        item.setTag(tag);
        if (!saveCurrentNotes(caption, action == ItemAction::PlayVideo))
            return;
        if (action == ItemAction::PlayVideo)
            playVideo(text, key, "This video reviews the following subject\r\n\r\n'" + text + " '", caption);
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
        const bool video = path.right(3) == QLatin1String("wmv");
        if (!saveCurrentNotes(caption, video))
            return 0;
        // Every video opened this way shares the notes named after the program.
        if (video)
            playVideo(App::title(), path, "This video reviews the following subject '\r\n\r\n" + name + " '", caption);
        else
            launch(path);
    } catch (const RuntimeError& e) {
        HourglassOff();
        ui::showFailure(e, caption);
    }
    return 0;
}

void frmMain::playVideo(const QString& name, const QString& key, const QString& caption,
                        const QString& failureCaption)
{
    VideoNotes& notes = videoNotes();
    notes.videoName = name;
    const QPointer<frmMain> self(this);   // loading the notes lets events run: a close may come
    // Notes that cannot be loaded are reported, and the video plays all the same.
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
        MakeDirPath(path.left(path.lastIndexOf('/')));
        if (FileExists(path)) {
            const bool repaired = Toc1->LoadFile(path);
            holdNotes(path, repaired);
            if (repaired)
                tellRepaired(path);
            return;
        }
        Toc1->LoadFile(notesTemplate());
        const QPointer<frmMain> self(this);
        DoEvents();
        if (closed(self))
            return;   // closed meanwhile: no notes file is made for a pane that is going
        // The pane shows this video's notes from here on: they belong to its file even when
        // the first save fails, so what the user types next is saved there or asked about.
        holdNotes(path);
        int how = 1;
        Toc1->FillMergeField("Videoname", notes.videoName, how);
        Toc1->FillMergeField("Date", QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat), how);
        Toc1->FillMergeField("Name of file", path, how);
        Toc1->SaveFile(path);
    });
}

void frmMain::holdNotes(const QString& path, bool damaged)
{
    VideoNotes& notes = videoNotes();
    notes.notesPath = path;
    notes.holder = this;
    notesFile_ = path;
    damagedCopy_ = damaged ? damagedCopyOf(path) : QString();
}

void frmMain::tellRepaired(const QString& path)
{
    ui::MsgBox("The notes file '" + path + "' was damaged. What could be read of it is shown; some of the notes "
                   "may be missing.\r\rThe file is left as it is unless you change these notes. Before they are "
                   "saved over it, the damaged file is kept as '" + damagedCopy_ + "'.",
               ui::OKOnly | ui::Exclamation);
}

void frmMain::saveToOwnFile()
{
    if (!damagedCopy_.isEmpty()) {
        keepDamagedCopy(notesFile_, damagedCopyOf(notesFile_));
        damagedCopy_.clear();
    }
    Toc1->SaveFile(notesFile_);
}

bool frmMain::writeNotes(const QString& caption)
{
    if (notesFile_.isEmpty())
        return false;
    // Notes repaired from a damaged file replace it only once the user changed them.
    if (!damagedCopy_.isEmpty() && !Toc1->edited())
        return true;
    try {
        saveToOwnFile();
        return true;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
        return false;
    }
}

bool frmMain::saveCurrentNotes(const QString& caption, bool replacing)
{
    frmMain* holder = videoNotes().holder;
    if (holder && holder != this)
        holder->writeNotes(caption);   // a failure is reported; they stay in that pane
    // This pane when it holds them, or when the user changed its notes (another window may
    // hold newer notes of the same file, which an unchanged pane must not write over).
    const bool kept = (holder == this || Toc1->edited()) && writeNotes(caption);
    if (kept || !replacing || !Toc1->edited())
        return true;
    // The user's notes have no file that takes them: the close's question.
    const ui::Answer answer = ui::MsgBox("Save Changes?", ui::YesNoCancel | ui::Question);
    if (answer == ui::Cancel)
        return false;
    return answer == ui::No || saveNotesAs();
}

bool frmMain::saveOwnNotes()
{
    if (notesFile_.isEmpty())
        return saveNotesAs();
    try {
        saveToOwnFile();
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
