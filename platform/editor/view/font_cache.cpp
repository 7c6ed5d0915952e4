#include "platform/editor/view/font_cache.h"
#include "platform/ui/cp1252_text.h"

#include <QFontMetricsF>

namespace ks::editor::view {
namespace {

constexpr int kMaxObjectPixels = 20000;   // a huge picture is drawn no larger

bool sameForLayout(const FontEntry& a, const FontEntry& b)
{
    if (a.isObject() || b.isObject())
        return a.style == b.style && a.object.has_value() == b.object.has_value() &&
               (!a.object || (a.object->rect.right - a.object->rect.left == b.object->rect.right - b.object->rect.left &&
                              a.object->rect.bottom - a.object->rect.top == b.object->rect.bottom - b.object->rect.top &&
                              a.object->verticalAlign == b.object->verticalAlign &&
                              a.object->data.size() == b.object->data.size()));
    return a.sameText(b) && a.field == b.field;
}

}

bool FontCache::sync(const FontTable& table)
{
    static const FontEntry unused;
    bool changed = static_cast<int>(seen_.size()) != table.count();
    seen_.resize(static_cast<std::size_t>(table.count()));
    fonts_.resize(seen_.size());
    for (int id = 0; id < table.count(); ++id) {
        const FontEntry* e = table.get(id);
        const FontEntry& current = e ? *e : unused;
        if (!changed && sameForLayout(seen_[id], current) && !fonts_[id].font.family().isEmpty())
            continue;
        changed = true;
        fonts_[id] = make(current);
        seen_[id] = current;
    }
    return changed;
}

const ScreenFont& FontCache::get(int id) const
{
    static const ScreenFont fallback = FontCache().make(FontEntry{});
    if (id >= 0 && id < static_cast<int>(fonts_.size()))
        return fonts_[id];
    return fonts_.empty() ? fallback : fonts_[0];
}

const FontCache::Metrics& FontCache::metricsOf(const QFont& font)
{
    MetricsKey key{font.family(), font.pixelSize(), font.bold(), font.italic(), font.underline(), font.strikeOut()};
    auto [it, fresh] = metrics_.try_emplace(std::move(key));
    Metrics& m = it->second;
    if (!fresh)
        return m;
    QFontMetricsF q(font);
    for (int b = 0; b < 256; ++b)
        m.advance[b] = static_cast<float>(q.horizontalAdvance(ui::charFromCp1252(static_cast<unsigned char>(b))));
    m.advance['\t'] = 0;   // tab stops are placed by the layout
    for (char c : {kParaMark, kCellEnd, kRowEnd, kLineBreak, kPageBreak, kSectionBreak, kColumnBreak,
                   kInternal1, kInternal2, kObjectChar})
        m.advance[static_cast<unsigned char>(c)] = 0;
    m.advance[static_cast<unsigned char>(kNoBreakSpace)] = static_cast<float>(q.horizontalAdvance(QChar(' ')));
    m.ascent = static_cast<float>(q.ascent());
    m.descent = static_cast<float>(q.descent());
    return m;
}

ScreenFont FontCache::make(const FontEntry& e)
{
    ScreenFont s;
    s.object = e.isObject();
    s.hidden = (e.style & kHidden) != 0;
    bool shifted = e.style & (kSuperscript | kSubscript);
    // Points at 96 pixels an inch; raised and lowered text at two thirds of the size.
    double pixels = std::clamp(e.points, 1, 1638) * 96.0 / 72.0;
    s.font.setFamily(QString::fromLatin1(e.face.empty() ? "Arial" : e.face.c_str()));
    s.font.setPixelSize(std::max(1, static_cast<int>(shifted ? pixels * 2 / 3 : pixels)));
    s.font.setBold(e.style & kBold);
    s.font.setItalic(e.style & kItalic);
    s.font.setUnderline(e.style & (kUnderline | kLinkText));
    s.font.setStrikeOut(e.style & kStrike);
    s.font.setKerning(false);
    const Metrics& m = metricsOf(s.font);
    s.advance = m.advance;
    if (s.hidden)
        s.advance.fill(0);
    if (s.object && e.object) {
        const RECT& r = e.object->rect;
        s.objectWidth = std::clamp(r.right - r.left, 0, kMaxObjectPixels);
        s.objectHeight = std::clamp(r.bottom - r.top, 0, kMaxObjectPixels);
        s.advance.fill(0);
        s.advance[static_cast<unsigned char>(kObjectChar)] = static_cast<float>(s.objectWidth);
        // Bottom sits on the baseline, middle straddles it, top hangs from the line's top.
        int align = e.object->verticalAlign;
        s.ascent = align == kAlignMiddle ? s.objectHeight / 2.0f : align == kAlignTop ? std::min<float>(s.ascent, s.objectHeight) : s.objectHeight;
        s.descent = s.objectHeight - s.ascent;
        return s;
    }
    s.ascent = m.ascent;
    s.descent = m.descent;
    if (e.style & kSuperscript)
        s.baselineShift = -static_cast<float>(pixels / 3);
    else if (e.style & kSubscript)
        s.baselineShift = static_cast<float>(pixels / 6);
    s.ascent -= s.baselineShift < 0 ? s.baselineShift : 0;
    s.descent += s.baselineShift > 0 ? s.baselineShift : 0;
    if (e.colour != kAutoColour)
        s.colour = colourOf(e.colour);
    else if (e.style & kLinkText)
        s.colour = QColor(0, 0, 0xEE);
    if (e.colour2 != kNoColour)
        s.highlight = colourOf(e.colour2);
    return s;
}

}
