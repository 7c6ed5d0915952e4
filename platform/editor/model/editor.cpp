#include "platform/editor/model/editor.h"
#include "platform/editor/model/picture_budget.h"

#include <algorithm>

namespace ks::editor {

Editor::Editor(HWND selfHandle) : self(selfHandle)
{
    doc.onChange = [this](const TextChange& change) {
        if (view)
            view->textChanged(change);
    };
    resetDocument();
}

void Editor::destroyControls()
{
    for (int id = 0; id < fonts.count(); ++id)
        if (ObjectData* o = object(id); o && o->control) {
            DestroyWindow(o->control);
            o->control = nullptr;
        }
}

void Editor::resetDocument()
{
    destroyControls();
    std::string face = fonts.get(0) ? fonts.get(0)->face : "Arial";
    int points = fonts.get(0) ? fonts.get(0)->points : 10;
    fonts.reset(face, points);
    formats.reset();
    lists.reset();
    tables.reset();
    fieldNames.clear();
    doc.reset({kPlainFormat, 0});
    caret = anchor = {};
    typingFont = -1;
    pendingFontTag = pendingRuleWord = pendingReplace = 0;
    backgroundPicture = 0;
}

EditorInfo Editor::info()
{
    EditorInfo r = settings;
    r.size = sizeof(EditorInfo);
    r.caretColumn = static_cast<int>(caret.col);
    r.caretLine = static_cast<int>(caret.line);
    r.selectionKind = hasSelection() ? 2 : 0;
    r.selStartColumn = static_cast<int>(anchor.col);
    r.selStartLine = static_cast<int>(anchor.line);
    r.selEndColumn = static_cast<int>(caret.col);
    r.selEndLine = static_cast<int>(caret.line);
    r.paragraphCount = static_cast<int>(doc.paragraphs().size());
    r.lineCount = static_cast<int>(doc.lineCount());
    r.windowLeft = r.windowTop = 0;
    r.windowRight = width;
    r.windowBottom = height;
    r.fontCount = fonts.count();
    r.defaultParaFormat = kPlainFormat;
    r.viewState = viewState;
    r.modeFlags = mode1;
    r.modeFlags2 = mode2;
    r.readOnly = readOnly;
    r.modified = modified;
    r.mouseX = mouseX;
    r.mouseY = mouseY;
    r.check12108 = r.check12109 = 0;
    const Line* l = doc.line(caret.line);
    const ParaFormat& f = formatOf(l ? l->para : 0);
    r.caretSpaceBefore = f.spaceBefore;
    r.caretSpaceAfter = f.spaceAfter;
    r.fieldControlId = -1;
    char c;
    std::uint16_t font;
    if (doc.charAt(posOf(caret), c, font) && c == kObjectChar)
        if (ObjectData* o = object(font); o && o->kind == ObjectData::Kind::Control)
            r.fieldControlId = o->controlId;
    return r;
}

LRESULT Editor::raise(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (addonCallback)
        return addonCallback(self, message, wParam, lParam);
    return notifyHost(message, wParam, lParam);
}

LRESULT Editor::notifyHost(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hostCallback)
        return hostCallback(self, message, wParam, lParam);
    return hostWindow ? SendMessage(hostWindow, message, wParam, lParam) : 0;
}

void Editor::touch()
{
    modified = true;
    if (!loading())
        raise(kEventChanged, 0, 0);
}

void Editor::requestRepaint()
{
    ++relayouts;
    if (view)
        view->repaint();
}

std::uint64_t Editor::posOf(Position p)
{
    std::uint64_t pos = 0;
    if (doc.lineColToPos(p.line, p.col, pos))
        return pos;
    return doc.length();
}

Position Editor::positionOf(std::uint64_t pos)
{
    Position p;
    if (!doc.posToLineCol(std::min(pos, doc.length()), p.line, p.col))
        p = {};
    return p;
}

void Editor::setCaret(std::uint64_t pos)
{
    caret = anchor = positionOf(pos);
    typingFont = -1;
}

void Editor::selectionRange(std::uint64_t& from, std::uint64_t& to)
{
    from = posOf(anchor);
    to = posOf(caret);
    if (from > to)
        std::swap(from, to);
}

void Editor::selectedParagraphs(std::size_t& first, std::size_t& last)
{
    std::uint64_t from, to;
    selectionRange(from, to);
    Position a = positionOf(from), b = positionOf(to > from ? to - 1 : to);
    first = doc.paraOfLine(a.line);
    last = doc.paraOfLine(b.line);
}

int Editor::fontAtCaret()
{
    auto chars = doc.lineChars(caret.line);
    const std::uint16_t* lineFonts = doc.lineFonts(caret.line);
    if (!lineFonts || chars.empty())
        return 0;
    std::size_t col = std::min(caret.col, chars.size() - 1);
    return lineFonts[col];
}

std::uint32_t Editor::styleAt(std::uint64_t pos)
{
    char c;
    std::uint16_t font;
    if (!doc.charAt(pos, c, font))
        return 0;
    const FontEntry* f = fonts.get(font);
    return f ? f->style : 0;
}

bool Editor::hiddenRunAtCaret(std::string& text, Position& start)
{
    std::uint64_t p = posOf(caret);
    if (!(styleAt(p) & kHidden)) {
        // From link text (at or just before the caret) back to the run in front of it.
        if (!(styleAt(p) & kLinkText)) {
            if (p == 0 || !(styleAt(p - 1) & kLinkText))
                return false;
            --p;
        }
        while (p > 0 && (styleAt(p - 1) & kLinkText))
            --p;
        if (p == 0 || !(styleAt(p - 1) & kHidden))
            return false;
        --p;
    }
    std::uint64_t first = p, last = p;
    while (first > 0 && (styleAt(first - 1) & kHidden))
        --first;
    while (styleAt(last + 1) & kHidden)
        ++last;
    text.clear();
    char c;
    std::uint16_t font;
    for (std::uint64_t q = first; q <= last && doc.charAt(q, c, font); ++q)
        text.push_back(c);
    start = positionOf(first);
    return true;
}

int Editor::currentTypingFont()
{
    int f = typingFont >= 0 ? typingFont : fontAtCaret();
    const FontEntry* e = fonts.get(f);
    // Typing next to an object continues in font 0 rather than "in" the object.
    return e && !e->isObject() ? f : 0;
}

void Editor::replaceText(std::uint64_t pos, std::uint64_t erase, const std::string& chars,
                         const std::vector<std::uint16_t>& fontIds, const ParaMeta* meta)
{
    std::uint64_t caretPos = posOf(caret);
    doc.splice(pos, erase, chars, fontIds.data(), meta);
    if (caretPos >= pos + erase)
        caretPos = caretPos - erase + chars.size();
    else if (caretPos > pos)
        caretPos = pos + chars.size();
    caret = anchor = positionOf(caretPos);
    touch();
}

int Editor::deriveFont(int base, std::uint32_t styleBits, bool on)
{
    const FontEntry* e = fonts.get(base);
    if (!e || e->isObject())
        return base;
    FontEntry f = *e;
    f.style = on ? (f.style | styleBits) : (f.style & ~styleBits);
    int id = fonts.share(f);
    return id < 0 ? base : id;
}

const ParaFormat& Editor::formatOf(std::size_t para) { return formats.get(formatIdOf(para)); }

int Editor::formatIdOf(std::size_t para)
{
    const auto& ps = doc.paragraphs();
    return para < ps.size() ? ps[para].meta.format : kPlainFormat;
}

void Editor::setParaFormat(std::size_t para, int format)
{
    const auto& ps = doc.paragraphs();
    if (para < ps.size() && formats.valid(format))
        doc.setMeta(para, {format, ps[para].meta.cell});
}

int Editor::fieldNumber(const std::string& name)
{
    auto it = std::find(fieldNames.begin(), fieldNames.end(), name);
    if (it != fieldNames.end())
        return static_cast<int>(it - fieldNames.begin()) + 1;
    fieldNames.push_back(name);
    return static_cast<int>(fieldNames.size());
}

ObjectData* Editor::object(int id)
{
    FontEntry* e = fonts.get(id);
    return e && e->isObject() && e->object ? &*e->object : nullptr;
}

int Editor::newObject(ObjectData data, std::uint32_t extraStyle)
{
    if (!fitsPictureBudget(fonts, data, object(pendingReplace) ? pendingReplace : 0))
        return -1;
    FontEntry e;
    e.style = kObjectStyle | extraStyle;
    e.userId = data.aux;
    e.object = std::move(data);
    if (pendingReplace && object(pendingReplace)) {
        int id = pendingReplace;
        pendingReplace = 0;
        FontEntry* old = fonts.get(id);
        // A refill keeps where and how the picture sits.
        e.object->verticalAlign = old->object->verticalAlign;
        e.object->floatSide = old->object->floatSide;
        return fonts.set(id, std::move(e));
    }
    return fonts.append(std::move(e));
}

std::string toStream(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out.push_back(kParaMark);
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out.push_back(kParaMark);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}
