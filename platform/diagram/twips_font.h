#pragma once
// Diagrams and pages are drawn with a painter whose units are twips, so a
// font's size is given in those units (20 twips to the point) rather than in
// points, which Qt would convert by the device's resolution a second time.
#include <QFont>
#include <algorithm>

namespace ks::diagram {

inline QFont twipsFont(const QFont& font)
{
    QFont scaled(font);
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    scaled.setPixelSize(std::max(1, int(points * 20 + 0.5)));
    return scaled;
}

}
