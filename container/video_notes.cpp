#include "container/video_notes.h"

#include "common/paths.h"
#include "platform/files/files.h"
#include "platform/runtime/runtime_error.h"

#include <QFileInfo>

namespace ks::container {

VideoNotes& videoNotes()
{
    static VideoNotes notes;
    return notes;
}

QString notesFileOf(const QString& videoName)
{
    return ProgramFile("templates/Your Notes/" + videoName + ".rtf");
}

QString notesTemplate() { return ProgramFile("docs/TrainingDocumentation.rtf"); }

QString damagedCopyOf(const QString& notesFile)
{
    QString copy = notesFile + ".damaged";
    for (int n = 2; QFileInfo::exists(copy) || QFileInfo(copy).isSymLink(); ++n)
        copy = notesFile + ".damaged." + QString::number(n);
    return copy;
}

void keepDamagedCopy(const QString& notesFile, const QString& copy)
{
    std::string bytes;
    files::Outcome done = files::readFile(notesFile.toStdString(), bytes);
    if (done)
        done = files::saveFile(copy.toStdString(), bytes);
    if (!done)
        throw RuntimeError(75, "Path/File access error: the damaged notes " + notesFile.toStdString()
                                   + " cannot be kept as " + copy.toStdString() + ": " + done.reason);
}

ItemAction itemAction(QString& tag, const QString& key)
{
    // The endings are compared exactly: "TEM" marks a template, "wmv" a video.
    const QString ending = key.right(3);
    if (tag.isEmpty() && ending != QLatin1String("TEM"))
        tag = QStringLiteral("EXTERNAL");
    if (tag != QLatin1String("EXTERNAL"))
        return ItemAction::Nothing;
    return ending == QLatin1String("wmv") ? ItemAction::PlayVideo : ItemAction::Launch;
}

}
