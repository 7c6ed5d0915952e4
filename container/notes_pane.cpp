#include "container/notes_pane.h"

#include "common/paths.h"
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"
#include "platform/runtime/runtime_error.h"

#include <QHash>

namespace ks::container {
namespace {

constexpr unsigned kChildEditor = 0x54002041;

QHash<HWND, NotesPane*>& panes()
{
    static QHash<HWND, NotesPane*> byWindow;
    return byWindow;
}

std::string native(const QString& path) { return path.toStdString(); }

}

NotesPane::NotesPane(QWidget* parent) : QWidget(parent)
{
    hwnd_ = EditorCreateWindow(nullptr, "Toc1", kChildEditor, 0, 0, 0, 0);
    panes().insert(hwnd_, this);
    EditorSetHostCallback(hwnd_, &NotesPane::hostEvents);
}

NotesPane::~NotesPane()
{
    panes().remove(hwnd_);
    EditorDestroyWindow(hwnd_);
}

LRESULT NotesPane::hostEvents(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == editor::kEventChanged)
        if (NotesPane* pane = panes().value(window); pane && pane->Change)
            pane->Change();
    return 0;
}

void NotesPane::LoadFile(const QString& path)
{
    if (!FileExists(path))
        throw RuntimeError(53, "File not found: " + native(path));
    if (VekLoadFile(hwnd_, native(path).c_str()) == 0)
        throw RuntimeError(75, "Path/File access error: " + native(path) + " cannot be read as a rich-text document");
}

void NotesPane::SaveFile(const QString& path)
{
    if (SaveVekFile(hwnd_, native(path).c_str()) == 0)
        throw RuntimeError(75, "Path/File access error: " + native(path) + " cannot be written");
}

void NotesPane::SaveFile(const QString& path, int&) { SaveFile(path); }

void NotesPane::FillMergeField(const QString& name, const QString& value, int& how)
{
    // The editor's text is 8-bit: the value goes in its Windows-1252 form.
    VekFillMergeField(hwnd_, name.toLatin1().constData(), value.toLatin1().constData(), &how);
}

void NotesPane::ShowToolbar(int& show) { VekShowToolbar(hwnd_, show); }

bool NotesPane::toolbarShown() const { return VekToolbarVisible(hwnd_) != 0; }

}
