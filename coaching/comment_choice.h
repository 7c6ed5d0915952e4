#pragma once
// The coach's video tables: which file answers a KPI's ratings, a click into
// a section of the month view, and how late a scorecard is. Names are used
// exactly as the video folders spell them.
#include <QString>

namespace ks {

// Whole number nearest to v, a half going to the even neighbour.
int roundHalfEven(double v);

// The comment for a changed actual or target; "" plays nothing. Expense files
// carry their "/expense/" folder.
QString commentVideoFile(double monthRating, double ytdRating, double kind, double target, double actual);

// Sections of sheet 1 by row and column: 0 KPI comments, 1 Major Success,
// 2 Major Obstacles, 3 Marketing, 4 Financial, 5 Innovation, 6 Systems; -1 none.
int sectionAt(int row, int column);
// The video of a text section (1 to 6).
QString sectionVideoFile(int section);
// The video of a KPI comment by the KPI's ratio (0 no data) and kind.
QString kpiCommentVideoFile(double ratio, double kind);
// The silent-mode notice of a section (0 to 6).
QString sectionNotice(int section);

// The welcome video by the late flag, the months late and the guard; "" plays nothing.
QString welcomeVideoFile(double lateFlag, double monthsLate, double guard);

}
