#include "platform/editor/model/document.h"

#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ks::editor {

void Document::changed(std::size_t first, std::size_t removed, std::size_t added)
{
    if (onChange)
        onChange({first, removed, added});
}

void Document::changedInside(std::size_t para, std::size_t at, std::size_t erased, std::size_t inserted)
{
    if (onChange)
        onChange({para, 1, 1, true, at, erased, inserted});
}

void Document::reset(ParaMeta meta, std::uint16_t font)
{
    std::size_t before = paras_.size();
    paras_.assign(1, Paragraph{std::string(1, kParaMark), {font}, meta});
    markDirty(0);
    changed(0, before, 1);
}

void Document::clear()
{
    std::size_t before = paras_.size();
    paras_.clear();
    markDirty(0);
    changed(0, before, 0);
}

void Document::markDirty(std::size_t para) { dirtyFrom_ = std::min(dirtyFrom_, para); }

void Document::relayout()
{
    markDirty(pendingFrom_);
    pendingFrom_ = kClean;
    ensureLayout();
}

void Document::layoutFrom(std::size_t para)
{
    // Paragraphs emptied by edits go; an open paragraph followed by another joins it.
    for (std::size_t i = para; i < paras_.size();) {
        Paragraph& p = paras_[i];
        if (p.chars.empty()) {
            paras_.erase(paras_.begin() + i);
            changed(i, 1, 0);
        } else if (!p.terminated() && i + 1 < paras_.size()) {
            Paragraph& next = paras_[i + 1];
            next.chars.insert(0, p.chars);
            next.fonts.insert(next.fonts.begin(), p.fonts.begin(), p.fonts.end());
            paras_.erase(paras_.begin() + i);
            changed(i, 2, 1);
        } else {
            ++i;
        }
    }
    para = std::min(para, paras_.size());
    std::size_t keepLines = para < firstLine_.size() ? firstLine_[para] : lines_.size();
    std::uint64_t pos = keepLines ? lines_[keepLines - 1].pos + lines_[keepLines - 1].length : 0;
    lines_.resize(keepLines);
    firstLine_.resize(paras_.size());
    paraPos_.resize(paras_.size());
    for (std::size_t i = para; i < paras_.size(); ++i) {
        firstLine_[i] = lines_.size();
        paraPos_[i] = pos;
        cutLines(i, pos);
        pos += paras_[i].chars.size();
    }
    dirtyFrom_ = kClean;
}

// Both searches stay inside the line being cut: a paragraph costs its length, not its square.
void Document::cutLines(std::size_t para, std::uint64_t pos)
{
    const std::string& s = paras_[para].chars;
    const char* d = s.data();
    std::size_t i = 0, n = s.size();
    while (i < n) {
        std::size_t end = std::min(n, i + kLineCut);
        if (auto* brk = static_cast<const char*>(std::memchr(d + i, kLineBreak, end - i))) {
            end = static_cast<std::size_t>(brk - d) + 1;
        } else if (end < n) {
            // The end mark may stay on a full line rather than make a line of its own.
            if (end + 1 == n && endsParagraph(s[end]))
                ++end;
            else if (auto* blank = static_cast<const char*>(memrchr(d + i + 1, ' ', end - i - 1)))
                end = static_cast<std::size_t>(blank - d) + 1;   // a blank at the line's start cuts nothing
        }
        lines_.push_back({static_cast<std::uint32_t>(para), static_cast<std::uint32_t>(i),
                          static_cast<std::uint32_t>(end - i), pos + i});
        i = end;
    }
}

std::size_t Document::lineCount()
{
    ensureLayout();
    return lines_.size();
}

const Line* Document::line(std::size_t n)
{
    ensureLayout();
    return n < lines_.size() ? &lines_[n] : nullptr;
}

std::string_view Document::lineChars(std::size_t n)
{
    const Line* l = line(n);
    if (!l)
        return {};
    return std::string_view(paras_[l->para].chars).substr(l->start, l->length);
}

const std::uint16_t* Document::lineFonts(std::size_t n)
{
    const Line* l = line(n);
    return l ? paras_[l->para].fonts.data() + l->start : nullptr;
}

std::size_t Document::firstLineOf(std::size_t para)
{
    ensureLayout();
    return para < firstLine_.size() ? firstLine_[para] : lines_.size();
}

std::uint64_t Document::paraPos(std::size_t para)
{
    ensureLayout();
    return para < paraPos_.size() ? paraPos_[para] : length();
}

std::uint64_t Document::length()
{
    ensureLayout();
    return lines_.empty() ? 0 : lines_.back().pos + lines_.back().length;
}

bool Document::lineColToPos(std::size_t n, std::size_t col, std::uint64_t& pos)
{
    const Line* l = line(n);
    if (!l) {
        // The end of the document is the column 0 of the line after the last.
        if (n == lines_.size() && col == 0) {
            pos = length();
            return true;
        }
        return false;
    }
    if (col > l->length)
        return false;
    pos = l->pos + col;
    return true;
}

bool Document::posToLineCol(std::uint64_t pos, std::size_t& n, std::size_t& col)
{
    ensureLayout();
    if (pos > length())
        return false;
    auto it = std::upper_bound(lines_.begin(), lines_.end(), pos,
                               [](std::uint64_t p, const Line& l) { return p < l.pos; });
    if (it == lines_.begin()) {
        n = 0;
        col = 0;
        return true;
    }
    --it;
    // A position at a line's end belongs to the next line, unless it is the document end.
    if (pos == it->pos + it->length && it + 1 != lines_.end())
        ++it;
    n = static_cast<std::size_t>(it - lines_.begin());
    col = static_cast<std::size_t>(pos - it->pos);
    return true;
}

std::size_t Document::paraAt(std::uint64_t pos)
{
    ensureLayout();
    auto it = std::upper_bound(paraPos_.begin(), paraPos_.end(), pos);
    return it == paraPos_.begin() ? 0 : static_cast<std::size_t>(it - paraPos_.begin()) - 1;
}

bool Document::charAt(std::uint64_t pos, char& c, std::uint16_t& font)
{
    if (pos >= length())
        return false;
    std::size_t p = paraAt(pos);
    std::size_t off = static_cast<std::size_t>(pos - paraPos_[p]);
    c = paras_[p].chars[off];
    font = paras_[p].fonts[off];
    return true;
}

namespace {

// Room a new paragraph takes at once: most are a line or two, appended a few words at a time.
constexpr std::size_t kFirstParagraphRoom = 64;

// The length of the first piece of chars that ends with a paragraph end, or all of it.
// Sixteen characters are looked at together: appended runs are mostly without an end.
std::size_t pieceLength(std::string_view chars)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i para = _mm_set1_epi8(kParaMark), cell = _mm_set1_epi8(kCellEnd), row = _mm_set1_epi8(kRowEnd);
    for (; i + 16 <= chars.size(); i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars.data() + i));
        __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(v, para), _mm_or_si128(_mm_cmpeq_epi8(v, cell), _mm_cmpeq_epi8(v, row)));
        if (unsigned found = unsigned(_mm_movemask_epi8(ends)))
            return i + std::size_t(std::countr_zero(found)) + 1;
    }
#endif
    for (; i < chars.size(); ++i)
        if (endsParagraph(chars[i]))
            return i + 1;
    return chars.size();
}

}

void Document::appendRun(std::string_view chars, std::uint16_t font, ParaMeta meta)
{
    appendPieces(chars, [&](Paragraph& p, std::size_t, std::size_t n) { p.fonts.insert(p.fonts.end(), n, font); }, meta);
}

void Document::append(std::string_view chars, const std::uint16_t* fonts, ParaMeta meta)
{
    appendPieces(chars, [&](Paragraph& p, std::size_t at, std::size_t n) {
        p.fonts.insert(p.fonts.end(), fonts + at, fonts + at + n);
    }, meta);
}

// Appends paragraph by paragraph; the open tail and each paragraph whose end arrives take meta.
template <class AddFonts>
void Document::appendPieces(std::string_view chars, AddFonts&& addFonts, ParaMeta meta)
{
    if (chars.empty())
        return;
    std::size_t before = paras_.size();
    if (paras_.empty() || paras_.back().terminated())
        paras_.push_back({});
    std::size_t first = paras_.size() - 1;
    markDirty(first);
    for (std::size_t at = 0; at < chars.size();) {
        if (paras_.back().terminated())
            paras_.push_back({});
        Paragraph& p = paras_.back();
        std::size_t n = pieceLength(chars.substr(at));
        if (p.chars.empty()) {
            p.chars.reserve(std::max(n, kFirstParagraphRoom));
            p.fonts.reserve(std::max(n, kFirstParagraphRoom));
        }
        p.chars.append(chars.data() + at, n);
        addFonts(p, at, n);
        p.meta = meta;
        at += n;
    }
    changed(first, before - first, paras_.size() - first);
}

void Document::splice(std::uint64_t pos, std::uint64_t erase, std::string_view chars,
                      const std::uint16_t* fonts, const ParaMeta* meta)
{
    ensureLayout();
    std::uint64_t total = length();
    pos = std::min(pos, total);
    erase = std::min(erase, total - pos);
    bool pushed = paras_.empty();
    if (pushed)
        paras_.push_back({});
    // Flatten the paragraphs the edit touches, with the meta of each character's paragraph.
    std::size_t first = paraAt(pos);
    std::size_t last = paraAt(pos + erase);
    if (paraPos_.size() < paras_.size())
        last = paras_.size() - 1;   // the extra empty paragraph just pushed
    std::uint64_t base = first < paraPos_.size() ? paraPos_[first] : total;
    if (erase == 0 && first < paraPos_.size() && std::none_of(chars.begin(), chars.end(), endsParagraph)) {
        // A keystroke inside one paragraph: its text moves once instead of being rebuilt,
        // so typing into a long paragraph costs no more than the move.
        Paragraph& p = paras_[first];
        std::size_t at = static_cast<std::size_t>(pos - base);
        if (at < p.chars.size() || !p.terminated()) {
            p.chars.insert(at, chars);
            p.fonts.insert(p.fonts.begin() + static_cast<std::ptrdiff_t>(at), fonts, fonts + chars.size());
            markDirty(first);
            changedInside(first, at, 0, chars.size());
            return;
        }
    }
    std::string flat;
    std::vector<std::uint16_t> flatFonts;
    std::vector<ParaMeta> metas;
    for (std::size_t i = first; i <= last && i < paras_.size(); ++i) {
        flat += paras_[i].chars;
        flatFonts.insert(flatFonts.end(), paras_[i].fonts.begin(), paras_[i].fonts.end());
        metas.insert(metas.end(), paras_[i].chars.size(), paras_[i].meta);
    }
    ParaMeta tail = paras_[std::min(last, paras_.size() - 1)].meta;
    std::size_t at = static_cast<std::size_t>(pos - base);
    // Erase, keeping table structure.
    std::string kept;
    std::vector<std::uint16_t> keptFonts;
    std::vector<ParaMeta> keptMetas;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < flat.size(); ++i) {
        bool erased = i >= at && i < at + erase && flat[i] != kCellEnd && flat[i] != kRowEnd;
        if (i == at)
            insertAt = kept.size();
        if (erased)
            continue;
        kept.push_back(flat[i]);
        keptFonts.push_back(flatFonts[i]);
        keptMetas.push_back(metas[i]);
    }
    if (at >= flat.size())
        insertAt = kept.size();
    ParaMeta landing = tail;
    for (std::size_t i = insertAt; i < kept.size(); ++i)
        if (endsParagraph(kept[i])) {
            landing = keptMetas[i];
            break;
        }
    ParaMeta newMeta = meta ? *meta : landing;
    kept.insert(insertAt, chars);
    keptFonts.insert(keptFonts.begin() + insertAt, fonts, fonts + chars.size());
    keptMetas.insert(keptMetas.begin() + insertAt, chars.size(), newMeta);
    // Cut into paragraphs again: each takes the meta of its end character.
    std::vector<Paragraph> rebuilt;
    Paragraph cur;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        cur.chars.push_back(kept[i]);
        cur.fonts.push_back(keptFonts[i]);
        if (endsParagraph(kept[i])) {
            cur.meta = keptMetas[i];
            rebuilt.push_back(std::move(cur));
            cur = {};
        }
    }
    if (!cur.chars.empty()) {
        cur.meta = tail;
        rebuilt.push_back(std::move(cur));
    }
    std::size_t removed = std::min(last + 1, paras_.size()) - first;
    paras_.erase(paras_.begin() + first, paras_.begin() + first + removed);
    paras_.insert(paras_.begin() + first, std::make_move_iterator(rebuilt.begin()),
                  std::make_move_iterator(rebuilt.end()));
    markDirty(first);
    changed(first, removed - (pushed ? 1 : 0), rebuilt.size());
}

bool Document::setLine(std::size_t n, std::string_view chars, const std::uint16_t* fonts)
{
    const Line* l = line(n);
    if (!l || chars.size() > static_cast<std::size_t>(kMaxLine))
        return false;
    Paragraph& p = paras_[l->para];
    std::string_view old = std::string_view(p.chars).substr(l->start, l->length);
    char oldEnd = !old.empty() && endsParagraph(old.back()) ? old.back() : 0;
    char newEnd = !chars.empty() && endsParagraph(chars.back()) ? chars.back() : 0;
    bool innerEnd = std::any_of(chars.begin(), chars.end() - (newEnd ? 1 : 0), endsParagraph);
    if (innerEnd || (oldEnd != newEnd && !(chars.empty() && !oldEnd))) {
        // The paragraph structure changes: a real edit, lines move.
        splice(l->pos, l->length, chars, fonts);
        return true;
    }
    std::size_t lineIndex = n;
    std::uint32_t start = l->start, oldLength = l->length;
    p.chars.replace(start, oldLength, chars);
    p.fonts.erase(p.fonts.begin() + start, p.fonts.begin() + start + oldLength);
    p.fonts.insert(p.fonts.begin() + start, fonts, fonts + chars.size());
    changedInside(l->para, start, oldLength, chars.size());
    std::int64_t delta = static_cast<std::int64_t>(chars.size()) - oldLength;
    if (delta != 0) {
        lines_[lineIndex].length = static_cast<std::uint32_t>(chars.size());
        for (std::size_t i = lineIndex + 1; i < lines_.size(); ++i) {
            if (lines_[i].para == lines_[lineIndex].para)
                lines_[i].start += static_cast<std::uint32_t>(delta);
            lines_[i].pos += delta;
        }
        for (std::size_t i = lines_[lineIndex].para + 1; i < paraPos_.size(); ++i)
            paraPos_[i] += delta;
        pendingFrom_ = std::min<std::size_t>(pendingFrom_, lines_[lineIndex].para);
    }
    return true;
}

void Document::insertParagraphs(std::size_t at, std::vector<Paragraph> paras)
{
    ensureLayout();
    at = std::min(at, paras_.size());
    paras_.insert(paras_.begin() + at, std::make_move_iterator(paras.begin()), std::make_move_iterator(paras.end()));
    markDirty(at);
    changed(at, 0, paras.size());
}

void Document::eraseParagraphs(std::size_t first, std::size_t count)
{
    ensureLayout();
    first = std::min(first, paras_.size());
    count = std::min(count, paras_.size() - first);
    paras_.erase(paras_.begin() + first, paras_.begin() + first + count);
    markDirty(first);
    changed(first, count, 0);
}

void Document::replaceEnd(std::size_t para, char end)
{
    if (para < paras_.size() && paras_[para].terminated() && endsParagraph(end)) {
        paras_[para].chars.back() = end;
        markDirty(para);
        changedInside(para, paras_[para].chars.size() - 1, 1, 1);
    }
}

bool Document::setFont(std::uint64_t pos, std::uint16_t font)
{
    if (pos >= length())
        return false;
    std::size_t p = paraAt(pos);
    std::size_t at = static_cast<std::size_t>(pos - paraPos_[p]);
    paras_[p].fonts[at] = font;
    changedInside(p, at, 1, 1);
    return true;
}

void Document::setMeta(std::size_t para, ParaMeta meta)
{
    if (para < paras_.size() && !(paras_[para].meta == meta)) {
        paras_[para].meta = meta;
        changed(para, 1, 1);
    }
}

}
