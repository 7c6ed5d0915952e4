#pragma once
// Shortening a path to a width in pixels by putting "..." in place of the
// middle of its folder part, the way path labels are shortened.
#include <QString>

#include <functional>

namespace ks {

// The width of a text in pixels, in the font it will be shown in.
using TextWidth = std::function<int(const QString&)>;

// Where no font is at hand: every character counts as this many pixels, the
// average character width of the usual dialog font at 96 dots per inch.
inline constexpr int kAverageCharWidth = 7;
TextWidth averageTextWidth(int pixelsPerCharacter = kAverageCharWidth);

// path when it fits; else the longest start of its folder part, "..." and the
// file name with its separator; never shorter than "..." and that file name.
// A path without a separator keeps its longest fitting start, then "...".
QString compactPath(const QString& path, int maxPixels, const TextWidth& width);

}
