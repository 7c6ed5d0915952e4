#include "platform/diagram/page_grid.h"

#include <algorithm>
#include <cmath>

namespace ks::diagram {

namespace {

// Pages needed to cover `length`; a hair over a page edge (rounding of the
// zoom) does not start another page. A diagram beyond kMostPages pages in one
// direction is cut there.
int pagesFor(double length, double page)
{
    constexpr double kSlack = 1.0;   // twips
    const double pages = std::ceil((length - kSlack) / page);
    return std::isfinite(pages) ? int(std::clamp(pages, 1.0, double(kMostPages))) : 1;
}

}

PageGrid layOutPages(const QSizeF& paper, double margin, const QSizeF& diagram, bool fit)
{
    PageGrid grid;
    grid.paper = paper;
    const double usableMargin = std::min({margin, paper.width() / 4, paper.height() / 4});
    grid.area = QRectF(QPointF(usableMargin, usableMargin), paper - QSizeF(2 * usableMargin, 2 * usableMargin));
    if (!(diagram.width() > 0 && diagram.height() > 0))   // empty, or not a number
        return grid;
    if (fit) {
        grid.scale = std::min({1.0, grid.area.width() / diagram.width(), grid.area.height() / diagram.height()});
        return grid;
    }
    grid.across = pagesFor(diagram.width(), grid.area.width());
    grid.down = pagesFor(diagram.height(), grid.area.height());
    return grid;
}

}
