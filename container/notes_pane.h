#pragma once
// The notes editor pane (the main window's Toc1): the editor library's notes
// control on screen, with the members the container calls on it. Its document
// is RTF; the editor library's functions take its window handle. A load or a
// merge-field fill of the program is no user's change.
#include "platform/win/win_types.h"

#include <QString>
#include <QWidget>

namespace ks::editor::view {
class NotesControl;
}

namespace ks::container {

class NotesPane : public QWidget {
    Q_OBJECT
public:
    explicit NotesPane(QWidget* parent = nullptr);
    ~NotesPane() override;

    // The editor window's handle.
    HWND hWnd() const;
    // The control on screen, for typing into it.
    editor::view::NotesControl* control() const { return control_; }

    // Shows that RTF file as the document; raises 53 for a missing file and 75
    // for one that cannot be read as RTF (the document is then unchanged). True
    // when the file was damaged and what could be read of it is shown.
    bool LoadFile(const QString& path);
    // Writes the document to path as RTF, creating or replacing the file whole;
    // raises 75 when it cannot be written (the old file stays).
    void SaveFile(const QString& path);
    // True when the user changed the document since it was last loaded or saved.
    bool edited() const { return edited_; }
    // Shows value in every merge field of that name; how is 1.
    void FillMergeField(const QString& name, const QString& value, int& how);

    // The pane's formatting toolbar: the flag the container keeps, and the show member.
    bool ToolbarFlag() const { return toolbarFlag_; }
    void setToolbarFlag(bool on) { toolbarFlag_ = on; }
    void ShowToolbar(int& show);
    bool toolbarShown() const;

signals:
    // Raised whenever the user edits the document.
    void Change();

private:
    editor::view::NotesControl* control_ = nullptr;
    bool toolbarFlag_ = false;
    bool edited_ = false;
};

}
