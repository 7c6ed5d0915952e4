#include "container/notes_pane.h"

#include "common/paths.h"
#include "platform/editor/view/notes_control.h"
#include "platform/runtime/runtime_error.h"

#include <QVBoxLayout>

namespace ks::container {

NotesPane::NotesPane(QWidget* parent) : QWidget(parent)
{
    control_ = new editor::view::NotesControl(this);
    connect(control_, &editor::view::NotesControl::changed, this, [this] {
        edited_ = true;
        emit Change();
    });
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(control_);
    setFocusProxy(control_);
}

NotesPane::~NotesPane() = default;

HWND NotesPane::hWnd() const { return control_->hWnd(); }

bool NotesPane::LoadFile(const QString& path)
{
    if (!FileExists(path))
        throw RuntimeError(53, "File not found: " + path.toStdString());
    const int loaded = control_->loadFile(path);
    if (loaded == 0)
        throw RuntimeError(75, "Path/File access error: " + path.toStdString() + " cannot be read as a rich-text document");
    edited_ = false;
    return loaded == 2;
}

void NotesPane::SaveFile(const QString& path)
{
    if (control_->saveFile(path) == 0)
        throw RuntimeError(75, "Path/File access error: " + path.toStdString() + " cannot be written");
    edited_ = false;
}

void NotesPane::FillMergeField(const QString& name, const QString& value, int&) { control_->fillMergeField(name, value); }

void NotesPane::ShowToolbar(int& show) { control_->showToolbar(show != 0); }

bool NotesPane::toolbarShown() const { return control_->toolbarVisible(); }

}
