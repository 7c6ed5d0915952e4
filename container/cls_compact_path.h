#pragma once
// Shortened paths for labels: to a width in pixels, or into a control.
#include "container/path_compaction.h"

class QWidget;

namespace ks {

class clsCompactPath {
public:
    // The two ways the system shortens a path (text drawing, shell); both give
    // the same text here, measured by width.
    QString CompactedPath(const QString& sPath, qint32 lMaxPixels, const TextWidth& width) const;
    QString CompactedPathSh(const QString& sPath, qint32 lMaxPixels, const TextWidth& width) const;
    // Sets the control's text to ThePath shortened to the control's width less
    // 100 twips, in its parent's font; fails with 438 for a control without text.
    void CompactPathIntoControl(QWidget* TheControl, const QString& ThePath) const;
};

// Widths in the font of widget.
TextWidth widgetTextWidth(const QWidget& widget);

}
