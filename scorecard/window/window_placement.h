#pragma once
// Where the scorecard window's small windows open: centred over it, their top edge a
// fraction of its height below its top.
#include <QWidget>

namespace ks {

inline void placeOverScorecard(QWidget& window, const QWidget& scorecard, int scorecardHeight)
{
    const QRect area = scorecard.geometry();
    window.move(area.left() + (area.width() - window.width()) / 2, area.top() + static_cast<int>(0.15 * scorecardHeight));
}

inline void placeBelowScorecardTop(QWidget& window, const QWidget& scorecard, int scorecardHeight)
{
    window.move(window.x(), scorecard.geometry().top() + static_cast<int>(0.15 * scorecardHeight));
}

}
