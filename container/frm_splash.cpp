#include "container/frm_splash.h"

#include "common/paths.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPixmap>

namespace ks::container {
namespace {

constexpr int kWidth = 480, kHeight = 300;

QLabel* label(QWidget* parent, const QString& text, int pointSize, QRect place)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(pointSize);
    l->setFont(f);
    l->setGeometry(place);
    l->setWordWrap(true);
    l->setStyleSheet("color: white; background: transparent;");
    return l;
}

}

frmSplash::frmSplash() : Form("frmSplash")
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setStyleSheet("background: #1f4e79;");
    imgLogo = new QLabel(this);
    imgLogo->setGeometry(0, 0, kWidth, kHeight);
    imgLogo->setScaledContents(true);
    lblTitle = label(this, "Resources", 20, QRect(24, 150, kWidth - 48, 40));
    lblVersion = label(this, "Version", 10, QRect(24, 190, kWidth - 48, 20));
    lblNotice = label(this, "", 7, QRect(24, 212, kWidth - 48, 40));
    lblDoing = label(this, "", 8, QRect(0, 0, kWidth - 48, 18));
    lblDoing->move(twipsToPixelsX(50), kHeight - lblDoing->height() - twipsToPixelsY(50));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Form_Load()
{
    try {
        const QString picture = ProgramFile("Splash.jpg");
        if (!FileExists(picture))
            return;   // the labels keep their design texts
        imgLogo->setPixmap(QPixmap(picture));
        lblTitle->setText(App::title());
        lblVersion->setText(QString("Version %1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
        lblNotice->setText(App::legalCopyright());
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmSplash: Sub Form_Load");
    }
}

void frmSplash::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    // 50 twips from the left and from the bottom of the window.
    lblDoing->move(twipsToPixelsX(50), height() - lblDoing->height() - twipsToPixelsY(50));
}

void frmSplash::setDoing(const QString& text)
{
    lblDoing->setText(text);
    lblDoing->raise();
    lblDoing->repaint();
    DoEvents();
}

void ShowProgress(const QString& text) { form<frmSplash>().setDoing(text); }

}
