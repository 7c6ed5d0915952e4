#pragma once
// The notes of the current video, one set for the whole program: the video's
// display name and path, and the notes file of the video whose notes were
// loaded last, with the main window whose pane holds them.
#include <QPointer>
#include <QString>

namespace ks::container {

class frmMain;

struct VideoNotes {
    QString videoName;        // names the notes file and fills the template's "Videoname"
    QString videoKey;         // the video file, the player's address
    QString notesPath;        // the notes file loaded last; "" before the first video
    QPointer<frmMain> holder; // the window whose pane holds notesPath's notes
};

VideoNotes& videoNotes();

// The notes file of a video: "templates/Your Notes/<videoName>.rtf" in the program folder.
QString notesFileOf(const QString& videoName);
// The template new notes are made from.
QString notesTemplate();

// Where the original of a damaged notes file is kept before the repaired notes are first
// saved over it: "<file>.damaged", or "<file>.damaged.<n>" when that name is taken.
QString damagedCopyOf(const QString& notesFile);
// Copies the notes file there, whole; raises 75 when it cannot.
void keepDamagedCopy(const QString& notesFile, const QString& copy);

// What a click on a list-bar item does, by its tag and the last three letters of its key.
enum class ItemAction { Nothing, PlayVideo, Launch };
// An item without a tag that is no template ("TEM") gets the tag "EXTERNAL" first.
ItemAction itemAction(QString& tag, const QString& key);

}
