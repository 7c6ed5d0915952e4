#include "platform/editor/view/list_marker.h"

#include <array>

namespace ks::editor::view {
namespace {

QString letters(int n, char first)
{
    QString s;
    for (n = std::max(n, 1); n > 0; n = (n - 1) / 26)
        s.prepend(QChar(first + (n - 1) % 26));
    return s;
}

QString roman(int n, bool upper)
{
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const std::array<std::pair<int, const char*>, 13> parts = {{{1000, "m"}, {900, "cm"}, {500, "d"},
        {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}}};
    QString s;
    for (auto [value, text] : parts)
        for (; n >= value; n -= value)
            s += QLatin1String(text);
    return upper ? s.toUpper() : s;
}

}

QString listMarker(const ListFormat& list, int number)
{
    if (list.bullet == 1) {
        // Disc, circle, square: by the style, else by the nesting level (the first level is 1).
        static const QChar bullets[] = {QChar(0x2022), QChar(0x25E6), QChar(0x25AA)};
        int which = list.style > 0 ? list.style : list.level - 1;
        return bullets[std::clamp(which, 0, 2)];
    }
    switch (list.style) {
    case 1: return letters(number, 'A') + '.';
    case 2: return letters(number, 'a') + '.';
    case 3: return roman(number, true) + '.';
    case 4: return roman(number, false) + '.';
    default: return QString::number(number) + '.';
    }
}

}
