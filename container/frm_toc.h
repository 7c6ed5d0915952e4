#pragma once
// A window that holds an editor pane and a File menu showing or hiding the
// pane's toolbar. The shared hidden window unloads it at the end.
#include "platform/runtime/form.h"

class QAction;
class QMenuBar;

namespace ks::container {

class NotesPane;

class frmToc : public Form {
public:
    frmToc();

    NotesPane* Toc1 = nullptr;
    QAction* MnuShow = nullptr;
    QAction* MnuHide = nullptr;

    void MnuShow_Click();
    void MnuHide_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QMenuBar* menu_ = nullptr;
};

}
