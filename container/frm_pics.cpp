#include "container/frm_pics.h"

#include "container/frm_print.h"
#include "container/frm_splash.h"
#include "container/frm_toc.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace ks::container {

frmPics::frmPics() : Form("frmPics"), tmrEnd([this] { tmrEnd_Timer(); }, 500)
{
    cboFont = new QComboBox(this);
    cboFontSize = new QComboBox(this);
    setWindowIcon(programIcon());
}

QIcon frmPics::programIcon()
{
    // A page of notes with a play mark: videos beside their notes.
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 4, 44, 56), 5, 5);
    p.setPen(QPen(QColor(0x9c, 0xb4, 0xcc), 3));
    for (int y = 40; y <= 52; y += 6)
        p.drawLine(16, y, 44, y);
    QPainterPath play;
    play.moveTo(22, 12);
    play.lineTo(40, 22);
    play.lineTo(22, 32);
    play.closeSubpath();
    p.fillPath(play, QColor(0xd0, 0x5a, 0x1c));
    return QIcon(picture);
}

std::vector<FormSlot*> frmPics::auxiliaryWindows() { return {&formSlot<frmToc>(), &formSlot<frmPrint>(), &formSlot<frmSplash>()}; }

void frmPics::Form_Load()
{
    usage_ = 0;
    tmrEnd.setEnabled(false);
    // The printer and the screen draw with the same fonts here.
    cboFont->addItems(QFontDatabase::families());
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"})
        cboFontSize->addItem(size);
}

void frmPics::RemoveUsage()
{
    --usage_;
    if (usage_ < 1 || Form::loadedCount() == 1)
        Unload();
    else
        tmrEnd.setEnabled(true);
}

void frmPics::tmrEnd_Timer()
{
    for (FormSlot* window : auxiliaryWindows())
        window->Unload();
    tmrEnd.setEnabled(false);
    if (Form::loadedCount() == 1 && isLoaded())
        Unload();
}

void frmPics::Form_Unload(int&)
{
    tmrEnd.setEnabled(false);
    for (FormSlot* window : auxiliaryWindows())
        window->Unload();
}

}
