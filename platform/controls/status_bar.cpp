#include "platform/controls/status_bar.h"

#include "platform/runtime/events.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ks::controls {
namespace {

constexpr int kGap = 2;   // pixels between panels and round the edge

}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StatusBar::AddPanel(const QString& key, const QString& text, double widthTwips, bool spring)
{
    panels_.push_back({key, text, widthTwips, spring});
    update();
}

QString StatusBar::PanelText(const QString& key) const
{
    for (const Panel& p : panels_)
        if (p.key == key)
            return p.text;
    return {};
}

void StatusBar::setPanelText(const QString& key, const QString& text)
{
    for (Panel& p : panels_)
        if (p.key == key)
            p.text = text;
    update();
}

std::vector<QRect> StatusBar::panelRects() const
{
    int fixed = kGap;
    int springs = 0;
    for (const Panel& p : panels_) {
        fixed += (p.spring ? 0 : twipsToPixelsX(p.width)) + kGap;
        springs += p.spring ? 1 : 0;
    }
    const int room = std::max(0, width() - fixed);
    std::vector<QRect> rects;
    int x = kGap;
    for (const Panel& p : panels_) {
        const int w = p.spring ? std::max(twipsToPixelsX(p.width), room / std::max(springs, 1)) : twipsToPixelsX(p.width);
        rects.emplace_back(x, kGap, w, std::max(0, height() - 2 * kGap));
        x += w + kGap;
    }
    return rects;
}

std::vector<PanelPlace> StatusBar::PanelPlaces() const
{
    std::vector<PanelPlace> places;
    const std::vector<QRect> rects = panelRects();
    for (size_t i = 0; i < panels_.size(); ++i)
        places.push_back({panels_[i].key, pixelsToTwipsX(rects[i].x()), pixelsToTwipsX(rects[i].width())});
    return places;
}

QSize StatusBar::sizeHint() const { return QSize(200, fontMetrics().height() + 4 * kGap + 4); }

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::vector<QRect> rects = panelRects();
    for (size_t i = 0; i < panels_.size(); ++i) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = rects[i];
        frame.frameShape = QFrame::Panel;
        frame.state |= QStyle::State_Sunken;
        frame.lineWidth = 1;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        painter.drawText(rects[i].adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                         panels_[i].text);
    }
}

}
