#include "container/path_compaction.h"

#include "common/paths.h"

namespace ks {
namespace {

const QString kEllipsis = QStringLiteral("...");

// The longest head.left(n) + kEllipsis + tail that fits, n from head's size down.
QString longestFitting(const QString& head, const QString& tail, int maxPixels, const TextWidth& width)
{
    for (qsizetype n = head.size(); n > 0; --n) {
        QString candidate = head.left(n) + kEllipsis + tail;
        if (width(candidate) <= maxPixels)
            return candidate;
    }
    return kEllipsis + tail;
}

}

TextWidth averageTextWidth(int pixelsPerCharacter)
{
    return [pixelsPerCharacter](const QString& text) { return int(text.size()) * pixelsPerCharacter; };
}

QString compactPath(const QString& path, int maxPixels, const TextWidth& width)
{
    if (width(path) <= maxPixels)
        return path;
    const qsizetype separator = path.lastIndexOf(kSep);
    if (separator < 0)
        return longestFitting(path.left(path.size() - 1), QString(), maxPixels, width);
    return longestFitting(path.left(separator), path.mid(separator), maxPixels, width);
}

}
