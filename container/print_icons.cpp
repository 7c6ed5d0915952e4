#include "container/print_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace ks::container {
namespace {

const QColor kInk(0x1f, 0x4e, 0x79);
const QColor kMark(0xd0, 0x5a, 0x1c);

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    draw(p);
    return QIcon(picture);
}

void page(QPainter& p, const QRectF& r) { p.drawRect(r); }

void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kMark, 1.5));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - d * 4 + n * 3);
    head.lineTo(to - d * 4 - n * 3);
    head.closeSubpath();
    p.fillPath(head, kMark);
}

}

void addPrintPreviewPictures(controls::ImageList& ils16)
{
    ils16.Add("PRINT", drawn([](QPainter& p) {
        page(p, {4.5, 1.5, 7, 5});
        p.setBrush(QColor(0xc8, 0xd4, 0xe0));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(Qt::white);
        page(p, {4.5, 10.5, 7, 4});
    }));
    ils16.Add("PORTRAIT", drawn([](QPainter& p) { page(p, {3.5, 1.5, 9, 13}); }));
    ils16.Add("LANDSCAPE", drawn([](QPainter& p) { page(p, {1.5, 3.5, 13, 9}); }));
    ils16.Add("PRIOR", drawn([](QPainter& p) { arrow(p, {13, 8}, {3, 8}); }));
    ils16.Add("NEXT", drawn([](QPainter& p) { arrow(p, {3, 8}, {13, 8}); }));
    ils16.Add("FIT", drawn([](QPainter& p) {
        page(p, {1.5, 1.5, 13, 13});
        arrow(p, {3, 3}, {7, 7});
        arrow(p, {13, 13}, {9, 9});
    }));
    ils16.Add("DOWN", drawn([](QPainter& p) {
        page(p, {4.5, 0.5, 7, 7});
        page(p, {4.5, 8.5, 7, 7});
    }));
    ils16.Add("WIDE", drawn([](QPainter& p) {
        page(p, {0.5, 4.5, 7, 7});
        page(p, {8.5, 4.5, 7, 7});
    }));
}

}
