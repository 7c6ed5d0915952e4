#include "container/etched_lines.h"

#include "platform/runtime/events.h"

#include <QPainter>

namespace ks {
namespace {

const QString kVertical = QStringLiteral("Vertical");

QLine inPixels(const QLine& twips)
{
    return QLine(twipsToPixelsX(twips.x1()), twipsToPixelsY(twips.y1()), twipsToPixelsX(twips.x2()),
                 twipsToPixelsY(twips.y2()));
}

}

ucEctchedLines::ucEctchedLines(QWidget* parent) : QWidget(parent) { layOut(); }

void ucEctchedLines::setVertical(bool vertical)
{
    vertical_ = vertical;
    layOut();
}

void ucEctchedLines::InitProperties() { setVertical(true); }

void ucEctchedLines::ReadProperties(const QVariantMap& bag) { setVertical(bag.value(kVertical, true).toBool()); }

void ucEctchedLines::WriteProperties(QVariantMap& bag) const
{
    // A value equal to its default is not stored.
    if (vertical_)
        bag.remove(kVertical);
    else
        bag.insert(kVertical, false);
}

void ucEctchedLines::layOut()
{
    const int h = int(pixelsToTwipsY(height())), w = int(pixelsToTwipsX(width()));
    if (vertical_) {
        lin1_ = QLine(0, 0, 0, h);
        lin2_ = QLine(20, 0, 20, h);
    } else {
        lin1_ = QLine(0, 0, w, 0);
        lin2_ = QLine(0, 20, w, 20);
    }
    update();
}

void ucEctchedLines::resizeEvent(QResizeEvent*) { layOut(); }

void ucEctchedLines::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(inPixels(lin1_));
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(inPixels(lin2_));
}

}
