#include "common/video_window.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/settings.h"
#include "platform/media/media_player.h"
#include "platform/runtime/events.h"
#include "platform/ui/failure.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace ks {
namespace {

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

}

VideoWindow::VideoWindow() : Form("MainVideo")
{
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixelsX(5325), twipsToPixelsY(3630));
    buildControls();
}

void VideoWindow::buildControls()
{
    MediaPlayer1 = new MediaPlayer(this);
    MediaPlayer1->setGeometry(twipsRect(120, 600, 3375, 3015));

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setGeometry(twipsRect(120, 240, 3375, 315));
    Combo1->setEditText("Ask me a question");
    QObject::connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });

    const double panel = 3615;
    LabelCoach = new QLabel(this);
    LabelCoach->setGeometry(twipsRect(panel, 120, 1575, 1500));
    LabelCoach->setWordWrap(true);
    LabelCoach->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    LabelCoach->setStyleSheet("color: blue;");

    Command1 = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString(), this);
    Command1->setToolTip("Set the video folder");
    Command1->setGeometry(twipsRect(panel, 1680, 500, 400));
    Command2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), this);
    Command2->setToolTip("Answer");
    Command2->setGeometry(twipsRect(panel + 600, 1680, 500, 400));

    // Top to bottom on screen: 4, 3, 2, 0, 1.
    const int order[5] = {3, 4, 2, 1, 0};
    for (int i = 0; i < 5; ++i) {
        Optionyesno[i] = new QRadioButton("Option1", this);
        Optionyesno[i]->setGeometry(twipsRect(panel, 2160 + order[i] * 240, 1575, 240));
        Optionyesno[i]->hide();
    }
    Optionyesno[0]->setChecked(true);
    LabelQid = new QLabel(this);
    LabelQid->setGeometry(twipsRect(panel, 3360, 500, 240));

    CommandRes = new QPushButton("Res.", this);
    CommandRes->setGeometry(twipsRect(panel + 600, 3360, 450, 240));
    CommandVidOptions = new QPushButton("Opt.", this);
    CommandVidOptions->setGeometry(twipsRect(panel + 1100, 3360, 450, 240));
    loadingtext = new QLabel(this);
    loadingtext->hide();

    QObject::connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void VideoWindow::Combo1_Click()
{
    ui::runStep("Combo1_Click_err", [&] {
        MediaPlayer1->setURL(AddBackslash(VideoBaseFolder) + "videos/" + Combo1->currentText() + ".wmv");
    });
}

void VideoWindow::Command1_Click()
{
    ui::runStep("MainVideo_Command1_Click_err", [&] {
        showVideoFolderDialog();
        Unload();
    });
}

void VideoWindow::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (placing_ || !isLoaded())
        return;
    placing_ = true;
    ui::runStep("MainVideo_FormResize_err:", [&] { formontop(*this); });
    placing_ = false;
}

}
