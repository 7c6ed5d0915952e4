// Exports: the font table and character attributes.
#include "platform/editor/model/api_support.h"

#include <functional>

using namespace ks::editor;

namespace {

// Applies a change to every font of the selection, or to the typing font without one.
template <class Change>
int changeFonts(Editor& e, Change&& change)
{
    if (!e.hasSelection()) {
        e.typingFont = change(e.currentTypingFont());
        return 1;
    }
    std::uint64_t from, to;
    e.selectionRange(from, to);
    char c;
    std::uint16_t font;
    for (std::uint64_t p = from; p < to && e.doc.charAt(p, c, font); ++p)
        if (!endsParagraph(c) && c != kObjectChar)
            e.doc.setFont(p, static_cast<std::uint16_t>(change(font)));
    e.touch();
    return 1;
}

int shareVariant(Editor& e, int base, const std::function<void(FontEntry&)>& edit)
{
    const FontEntry* f = e.fonts.get(base);
    if (!f || f->isObject())
        return base;
    FontEntry copy = *f;
    edit(copy);
    int id = e.fonts.share(copy);
    return id < 0 ? base : id;
}

}

extern "C" {

int EditorCreateFont(HWND hWnd, int id, int share, const char* face, int points, unsigned style,
                     unsigned colour, unsigned colour2, int, int userId)
{
    return withEditor(hWnd, -1, [&](Editor& e) {
        int tag = e.pendingFontTag;
        e.pendingFontTag = 0;
        if (points <= 0 || points > 1638 || (style & kObjectStyle))
            return -1;
        FontEntry f;
        f.face = clampFace(str(face).empty() ? e.fonts.get(0)->face : str(face));
        f.points = points;
        f.style = style;
        f.colour = colour & 0xFFFFFF;
        f.colour2 = colour2 & 0xFFFFFF;
        f.userId = userId;
        f.tag = tag;
        if (id >= 0) {
            // Redefining an object's id would orphan its object character.
            if (e.fonts.get(id) && e.fonts.get(id)->isObject())
                return -1;
            return e.fonts.set(id, f);
        }
        return share ? e.fonts.share(f) : e.fonts.append(f);
    });
}

int EditorSetNextFontTag(HWND hWnd, int tag)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.pendingFontTag = tag, 1; });
}

int EditorGetFontTag(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const FontEntry* f = e.fonts.get(id);
        return f ? f->tag : 0;
    });
}

int EditorGetFontInfo(HWND hWnd, int id, char* face, int* points, unsigned* style)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const FontEntry* f = e.fonts.get(id);
        if (!f)
            return 0;
        copyOut(face, f->face, 32);
        put(points, f->points);
        put(style, f->style);
        return 1;
    });
}

int EditorGetFontColors(HWND hWnd, int id, unsigned* colour, unsigned* colour2)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const FontEntry* f = e.fonts.get(id);
        if (!f)
            return 0;
        put(colour, f->colour);
        put(colour2, f->colour2);
        return 1;
    });
}

int EditorGetFontData(HWND hWnd, int id, unsigned* style, RECT* rect, int* verticalAlign, int* userId)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const FontEntry* f = e.fonts.get(id);
        if (!f)
            return 0;
        put(style, f->style);
        if (f->isObject() && f->object) {
            put(rect, f->object->rect);
            put(verticalAlign, f->object->verticalAlign);
            put(userId, f->object->aux);
        } else {
            put(rect, RECT{});
            put(verticalAlign, 0);
            put(userId, f->userId);
        }
        return 1;
    });
}

int EditorGetCurFont(HWND hWnd)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.typingFont >= 0 ? e.typingFont : e.fontAtCaret(); });
}

int EditorSetCurFont(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!e.fonts.get(id) || e.fonts.get(id)->isObject())
            return 0;
        e.typingFont = id;
        return 1;
    });
}

int EditorSetCharStyle(HWND hWnd, unsigned bits, int on, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        return changeFonts(e, [&](int f) { return e.deriveFont(f, bits & ~kObjectStyle, on != 0); });
    });
}

int EditorSetNextColor(HWND hWnd, unsigned colour)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        e.typingFont = shareVariant(e, e.currentTypingFont(), [&](FontEntry& f) { f.colour = colour & 0xFFFFFF; });
        return 1;
    });
}

int EditorSetNextUserId(HWND hWnd, int userId)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        e.typingFont = shareVariant(e, e.currentTypingFont(), [&](FontEntry& f) { f.userId = userId; });
        return 1;
    });
}

int EditorSetTextColor(HWND hWnd, unsigned colour, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return e.textColour = colour & 0xFFFFFF, 1; });
}

}
