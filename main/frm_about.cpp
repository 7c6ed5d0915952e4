#include "main/frm_about.h"

#include "coaching/coach_state.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace ks {
namespace {

QLabel* boldLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QFrame* separator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    return line;
}

QRect screenArea(const QWidget& w)
{
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QWidget* scorecardWindow()
{
    return scorecardLink().scorecardWindow ? scorecardLink().scorecardWindow() : nullptr;
}

}

frmAbout::frmAbout() : Form("frmAbout")
{
    setWindowTitle("About MyApp");
    lblTitle = new QLabel;
    QFont big = lblTitle->font();
    big.setPointSize(16);
    big.setBold(true);
    lblTitle->setFont(big);
    lblTitle->setStyleSheet("background: white; padding: 8px;");   // the white band behind the title
    Label1 = boldLabel("Version: ");
    lblVersion = new QLabel;
    Label2 = boldLabel("Application Description: ");
    lblDescription = new QLabel;
    lblDescription->setWordWrap(true);
    lblDisclaimer = new QLabel;
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton("OK");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblTitle, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(separator(), 3, 0, 1, 2);
    grid->addWidget(lblDisclaimer, 4, 0, 1, 2);
    grid->addWidget(separator(), 5, 0, 1, 2);
    grid->addWidget(cmdOK, 6, 1, Qt::AlignRight);
    QObject::connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

void frmAbout::Form_Load()
{
    try {
        setWindowTitle("About " + App::title());
        lblVersion->setText(QString("Version %1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
        lblTitle->setText(App::title());
        lblDescription->setText(App::fileDescription());
        lblDisclaimer->setText(App::legalCopyright());
        adjustSize();
        QWidget* scorecard = scorecardWindow();
        if (scorecard)
            setWindowIcon(scorecard->windowIcon());
        const QRect area = screenArea(*this);
        move(area.left() + area.width() / 2 - width() / 2, area.top() + int((scorecard ? scorecard->height() : 0) * 0.2));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmAbout: Sub Form_Load");
    }
}

void frmAbout::cmdOK_Click()
{
    try {
        Unload();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmAbout: Sub cmdOK_Click");
    }
}

}
