#include "main/form_navigation.h"

#include "common/paths.h"
#include "main/image_button.h"
#include "main/main_mod.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/shell/shell.h"
#include "platform/ui/ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ks {
namespace {

QString picture(const char* name) { return ProgramFile(QString("images/") + name); }

}

FormNavigation::FormNavigation() : Form("FormNavigation")
{
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);

    Label1 = new QLabel("Orvantis");
    Label1->setFont(QFont("Verdana", 18, QFont::Bold));
    Label2 = new QLabel("Welcome to Orvantis. Please select  whether you wish to use the SCORECARD or view the "
                        "RESOURCES which includes templates and videos.");
    Label2->setFont(QFont("Verdana", 8));
    Label2->setStyleSheet("color: rgb(0, 0, 192);");
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    ImageScorecard = new ImageButton;
    ImageResources = new ImageButton;
    ImageScorecard->setCursor(Qt::PointingHandCursor);
    ImageResources->setCursor(Qt::PointingHandCursor);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ImageScorecard);
    buttons->addSpacing(24);
    buttons->addWidget(ImageResources);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 24);
    layout->addWidget(Label1, 0, Qt::AlignLeft);
    layout->addWidget(Label2);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    connect(ImageScorecard, &ImageButton::Click, this, &FormNavigation::ImageScorecard_Click);
    connect(ImageScorecard, &ImageButton::MouseDown, this, &FormNavigation::ImageScorecard_MouseDown);
    connect(ImageScorecard, &ImageButton::MouseUp, this, &FormNavigation::ImageScorecard_MouseUp);
    connect(ImageResources, &ImageButton::Click, this, &FormNavigation::ImageResources_Click);
    connect(ImageResources, &ImageButton::MouseDown, this, &FormNavigation::ImageResources_MouseDown);
    connect(ImageResources, &ImageButton::MouseUp, this, &FormNavigation::ImageResources_MouseUp);
}

void FormNavigation::Form_Load()
{
    ImageScorecard->setPictureFile(picture("Scorecard.bmp"));
    ImageResources->setPictureFile(picture("Resources.bmp"));
}

void FormNavigation::ImageScorecard_MouseDown() { ImageScorecard->setPictureFile(picture("Scorecard_down.bmp")); }
void FormNavigation::ImageScorecard_MouseUp() { ImageScorecard->setPictureFile(picture("Scorecard.bmp")); }
void FormNavigation::ImageResources_MouseDown() { ImageResources->setPictureFile(picture("Resources_down.bmp")); }
void FormNavigation::ImageResources_MouseUp() { ImageResources->setPictureFile(picture("Resources.bmp")); }

void FormNavigation::ImageScorecard_Click()
{
    Unload();
}

void FormNavigation::ImageResources_Click()
{
    const QString program = AddBackslash(App::path()) + kContainerProgram;
    if (!shell::shell().startProgram(program)) {
        // Without the container there is nothing to hand over to: stay here.
        ui::MsgBox("The resources program could not be started:\r\n" + program, ui::OKOnly | ui::Exclamation);
        return;
    }
    DoEvents();
    QuitAfterResources = 1;
    Unload();
}

}
