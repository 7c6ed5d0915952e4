#include "container/tab_strip.h"

#include "container/guid_key.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"

#include <QTabBar>

#include <cmath>

namespace ks {
namespace {

// The key of a tab lives in its data.
QString keyOf(const QTabBar& bar, int index) { return bar.tabData(index).toString(); }

}

void clsTabStrip::setTabStrip(QTabBar* tabStrip)
{
    disconnect(clicks_);
    m_TabStrip = tabStrip;
    if (tabStrip)
        clicks_ = connect(tabStrip, &QTabBar::tabBarClicked, this, [this] { emit Click(); });
}

QTabBar& clsTabStrip::strip() const
{
    if (!m_TabStrip)
        throw RuntimeError(91, "Object variable or With block variable not set");
    return *m_TabStrip;
}

int clsTabStrip::tabAt(int position) const
{
    if (position < 1 || position > strip().count())
        throw RuntimeError(kIndexOutOfBounds, "Index out of bounds");
    return position - 1;
}

int clsTabStrip::selected() const
{
    const int index = strip().currentIndex();
    if (index < 0)
        throw RuntimeError(91, "Object variable or With block variable not set");
    return index;
}

QString clsTabStrip::TabCaption(qint16 iIndex) const { return strip().tabText(tabAt(iIndex)); }

QString clsTabStrip::TabKey(qint16 iIndex)
{
    const int index = tabAt(iIndex + 1);
    if (keyOf(strip(), index).isEmpty())
        strip().setTabData(index, GetGUID());
    return keyOf(strip(), index);
}

qint32 clsTabStrip::TabCount() const { return strip().count(); }

void clsTabStrip::setTabCount(qint32 New_Count)
{
    QTabBar& bar = strip();
    while (bar.count() > New_Count)
        bar.removeTab(bar.count() - 1);
    while (bar.count() < New_Count)
        bar.addTab(QString());
}

QString clsTabStrip::Caption() const { return strip().tabText(selected()); }

void clsTabStrip::setCaption(const QString& caption) { strip().setTabText(selected(), caption); }

qint32 clsTabStrip::TabHeight() const
{
    const int last = tabAt(strip().count());
    return qint32(std::lround(pixelsToTwipsY(strip().tabRect(last).height())));
}

qint32 clsTabStrip::TheTab() const { return selected(); }

void clsTabStrip::setTheTab(qint32 New_value) { strip().setCurrentIndex(tabAt(New_value + 1)); }

void clsTabStrip::Move(float Left, double Top, double width, double height)
{
    strip().setGeometry(twipsToPixelsX(Left), twipsToPixelsY(Top), std::max(0, twipsToPixelsX(width)),
                        std::max(0, twipsToPixelsY(height)));
}

}
