#pragma once
// The notes control: an editor window with a small formatting toolbar, as a
// host program embeds it for a document of notes. It loads and saves RTF
// files, fills merge fields, and tells its host of the user's changes; what
// the program itself does (a load, a merge-field fill) is no user's change.
#include "platform/win/win_types.h"

#include <QString>
#include <QWidget>

class QToolBar;
class QAction;

namespace ks::editor::view {

class EditorView;

class NotesControl : public QWidget {
    Q_OBJECT
public:
    explicit NotesControl(QWidget* parent = nullptr);
    ~NotesControl() override;

    HWND hWnd() const;
    EditorView* view() const { return view_; }

    // Shows an RTF file as the document: 1 loaded, 2 loaded from a damaged file, 0 not
    // loaded (missing or not RTF; the document stays as it was).
    int loadFile(const QString& path);
    // Writes the document as RTF, whole or not at all: 1 written, 0 failed (the old file stays).
    int saveFile(const QString& path);
    // Shows value in every merge field of that name; the count of fields filled.
    int fillMergeField(const QString& name, const QString& value);

    // The formatting toolbar (also shown and hidden by VekShowToolbar and command 692).
    void showToolbar(bool show);
    bool toolbarVisible() const;

signals:
    // The user edited the document (typing, pasting, formatting).
    void changed();

private:
    static LRESULT hostEvents(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void buildToolbar();
    void syncToolbar();
    void toggleStyle(unsigned bit);
    void align(unsigned bit);
    void toggleBullets();

    EditorView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QAction* bold_ = nullptr;
    QAction* italic_ = nullptr;
    QAction* underline_ = nullptr;
    QAction* bullets_ = nullptr;
    bool programEdit_ = false;   // a load or fill of the program's own is running
};

}
