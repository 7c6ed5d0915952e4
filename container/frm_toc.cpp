#include "container/frm_toc.h"

#include "container/notes_pane.h"

#include <QMenuBar>

namespace ks::container {

frmToc::frmToc() : Form("frmToc")
{
    menu_ = new QMenuBar(this);
    QMenu* file = menu_->addMenu("File");
    MnuShow = file->addAction("Show");
    MnuHide = file->addAction("Hide");
    Toc1 = new NotesPane(this);
    QObject::connect(MnuShow, &QAction::triggered, this, [this] { MnuShow_Click(); });
    QObject::connect(MnuHide, &QAction::triggered, this, [this] { MnuHide_Click(); });
}

void frmToc::MnuShow_Click()
{
    int show = 1;
    Toc1->setToolbarFlag(true);
    Toc1->ShowToolbar(show);
}

void frmToc::MnuHide_Click()
{
    int show = 0;
    Toc1->setToolbarFlag(false);
    Toc1->ShowToolbar(show);
}

void frmToc::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // The inner area below the menu.
    const int top = menu_->sizeHint().height();
    menu_->setGeometry(0, 0, width(), top);
    Toc1->setGeometry(0, top, width(), std::max(0, height() - top));
}

}
