#include "scorecard/window/progress_window.h"

#include "coaching/coach_state.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace ks {

FormcreatingGraphs::FormcreatingGraphs() : Form("FormcreatingGraphs")
{
    setWindowTitle("Updating graphs, please wait....");
    Label1 = new QLabel("Creating the graph");
    Label1->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(Label1);
}

void FormcreatingGraphs::Form_Load()
{
    if (scorecardLink().scorecardWindow)
        setWindowIcon(scorecardLink().scorecardWindow()->windowIcon());
    adjustSize();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

}
