#pragma once
// Small procedures of the container's modules: the document dialog, file
// names, temporary files and list selection by item data.
#include <QString>

class QComboBox;
class QListWidget;

namespace ks::container {

// The open (save false) or save dialog for the container's document type,
// starting where the last one ended; "" when the user cancels.
QString GetMapFile(bool save);
// The folder the document dialog starts in next; "" before the first dialog.
QString& rememberedDocumentFolder();

// The name after the last separator; without its ending (after the last ".")
// unless withExtension. A name without a point is its own title.
QString GetFileTitle(const QString& path, bool withExtension);
// The user's documents folder.
QString DefaultDocumentFolder();
// Creates an empty file of a new name in the temporary folder and returns its
// full name; an empty prefix becomes "ABC" (and the caller's text with it).
QString GetTempFile(QString& prefix);

// The first index whose item data equals value; -1 when none.
int DoFindIndex(const QComboBox& list, qint32 value);
int DoFindIndex(const QListWidget& list, qint32 value);
// Selects that index (-1 selects nothing).
void DoSetIndex(QComboBox& list, qint32 value);
void DoSetIndex(QListWidget& list, qint32 value);

}
