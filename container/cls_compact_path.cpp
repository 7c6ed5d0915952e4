#include "container/cls_compact_path.h"

#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"

#include <QFontMetrics>
#include <QWidget>

#include <cmath>

namespace ks {
namespace {

// Whole numbers the way the integer division of the programs makes them: to the nearest, halves to even.
long wholeNumber(double value) { return std::lrint(value); }

}

QString clsCompactPath::CompactedPath(const QString& sPath, qint32 lMaxPixels, const TextWidth& width) const
{
    return compactPath(sPath, lMaxPixels, width);
}

QString clsCompactPath::CompactedPathSh(const QString& sPath, qint32 lMaxPixels, const TextWidth& width) const
{
    return compactPath(sPath, lMaxPixels, width);
}

void clsCompactPath::CompactPathIntoControl(QWidget* TheControl, const QString& ThePath) const
{
    if (!TheControl || TheControl->metaObject()->indexOfProperty("text") < 0)
        throw RuntimeError(438, "Object doesn't support this property or method");
    const double widthTwips = pixelsToTwipsX(TheControl->width());
    const long twipsPerPixel = std::max(1L, wholeNumber(twipsPerPixelX()));
    const auto pixels = qint32(wholeNumber(widthTwips - 100) / twipsPerPixel);
    const QWidget& fontHolder = TheControl->parentWidget() ? *TheControl->parentWidget() : *TheControl;
    TheControl->setProperty("text", CompactedPathSh(ThePath, pixels, widgetTextWidth(fontHolder)));
}

TextWidth widgetTextWidth(const QWidget& widget)
{
    QFontMetrics metrics = widget.fontMetrics();
    return [metrics](const QString& text) { return metrics.horizontalAdvance(text); };
}

}
