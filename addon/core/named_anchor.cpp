#include "addon/core/named_anchor.h"

#include "addon/core/html_context.h"
#include "platform/editor/vek32.h"

#include <cstring>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

constexpr int kSearchDown = editor::kFindDown | editor::kFindAllText;

struct Character {
    char c = 0;
    bool hidden = false;
    int line = -1;
    int font = -1;
};

Character characterAt(HWND hWnd, int pos)
{
    Character ch;
    int line = 0, col = 0;
    if (pos < 0 || !EditorPosToLineCol(hWnd, pos, &line, &col))
        return ch;
    char chars[301];
    std::uint16_t fonts[301];
    int count = EditorGetLineChars(hWnd, line, chars, fonts);
    if (col < 0 || col >= count)
        return ch;
    unsigned style = 0;
    EditorGetFontInfo(hWnd, fonts[col], nullptr, nullptr, &style);
    ch.c = chars[col];
    ch.font = fonts[col];
    ch.hidden = (style & editor::kHidden) != 0;
    ch.line = line;
    return ch;
}

int showAnchor(HWND hWnd, int line)
{
    EditorRepaint(hWnd, 0);
    EditorShowLine(hWnd, line, 1);
    return 1;
}

// An anchor written without quotes, as pages often have it: "name=spot" or "id=spot",
// the whole value.
int unquotedAnchor(HWND hWnd, const char* key, const char* name)
{
    std::string wanted = std::string(key) + name;
    int length = int(wanted.size());
    for (int pos = EditorFindText(hWnd, wanted.c_str(), 0, kSearchDown); pos >= 0;
         pos = EditorFindText(hWnd, wanted.c_str(), pos + 1, kSearchDown)) {
        Character first = characterAt(hWnd, pos);
        Character before = characterAt(hWnd, pos - 1);
        Character after = characterAt(hWnd, pos + length);
        // Another anchor's data right beside it is in another font.
        bool starts = !before.hidden || before.c == ' ' || before.font != first.font;
        bool ends = !after.hidden || after.c == ' ' || after.font != first.font;
        if (first.hidden && starts && ends)
            return showAnchor(hWnd, first.line);
    }
    return 0;
}

}

int PositionName(HWND hWnd, const char* name)
{
    if (!name || !*name)
        return 0;
    std::string quoted = std::string("\"") + name + "\"";
    for (int pos = EditorFindText(hWnd, quoted.c_str(), 0, kSearchDown); pos >= 0;
         pos = EditorFindText(hWnd, quoted.c_str(), pos + 1, kSearchDown)) {
        Character found = characterAt(hWnd, pos);
        if (found.hidden)
            return showAnchor(hWnd, found.line);
    }
    return unquotedAnchor(hWnd, "name=", name) || unquotedAnchor(hWnd, "id=", name);
}

}
