#pragma once
// How a diagram falls on pages: the printable area inside the margins, the
// number of pages across and down, and the scale from the diagram's zoomed
// twips to paper twips.
#include <QRectF>
#include <QSizeF>

namespace ks::diagram {

// The most pages a diagram takes across or down.
constexpr int kMostPages = 10000;

struct PageGrid {
    QSizeF paper;        // twips, in the laid-out orientation
    QRectF area;         // the printable area on each page
    int across = 1, down = 1;
    double scale = 1.0;
    int pages() const { return across * down; }
};

// The diagram (its size in twips at its zoom) on paper with equal margins.
// Fitting shrinks it onto one page and never enlarges it; otherwise it keeps
// its size and takes as many pages as it covers, up to kMostPages each way.
// An empty diagram takes one page.
PageGrid layOutPages(const QSizeF& paper, double margin, const QSizeF& diagram, bool fit);

}
