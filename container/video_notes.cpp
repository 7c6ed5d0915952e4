#include "container/video_notes.h"

#include "common/paths.h"

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
