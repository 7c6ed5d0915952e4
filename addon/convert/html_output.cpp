#include "addon/convert/html_output.h"

#include "addon/base/allocators.h"
#include "addon/base/byte_scan.h"
#include "addon/base/print_error.h"
#include "addon/convert/html_entities.h"
#include "platform/editor/vek32_codes.h"
#include "platform/files/files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace ks::addon {
namespace {

constexpr int kIndentWidth = 4;

// Grows the block to hold `needed` bytes: by a quarter, or to exactly `needed`
// when a quarter is not enough; never past kMaxHtmlBytes.
bool reserve(HtmlOutput& out, std::uint64_t needed)
{
    if (needed <= out.capacity)
        return true;
    if (needed > kMaxHtmlBytes)
        return false;
    std::uint64_t grown = out.capacity + out.capacity / 4;
    std::uint64_t capacity = grown >= needed ? (grown > kMaxHtmlBytes ? kMaxHtmlBytes : grown) : needed;
    GlobalUnlock(out.block);
    HGLOBAL resized = GlobalReAlloc(out.block, capacity + 1, GMEM_MOVEABLE);
    if (resized)
        out.block = resized;
    out.data = static_cast<char*>(GlobalLock(out.block));
    if (!resized || !out.data)
        return false;
    out.capacity = capacity;
    return true;
}

void append(HtmlOutput& out, const char* bytes, std::size_t count)
{
    std::memcpy(out.data + out.used, bytes, count);
    out.used += count;
}

// Characters written as they are with no break rule to weigh: printable ASCII but the
// blank, the four that are entities and the backslash (it has a break rule of its own).
constexpr auto kPlainText = [] {
    std::array<bool, 256> plain{};
    for (int c = '!'; c < 0x7F; ++c)
        plain[std::size_t(c)] = c != '<' && c != '>' && c != '&' && c != '"' && c != '\\';
    return plain;
}();

// The bytes of a word of text that kPlainText leaves out.
constexpr std::uint64_t notPlain(std::uint64_t x)
{
    using namespace bytescan;
    return below(x, '!') | atLeast(x, 0x7F) | equalTo(x, '<') | equalTo(x, '>') | equalTo(x, '&') |
           equalTo(x, '"') | equalTo(x, '\\');
}

// The first character from p on (before limit) that kPlainText leaves out, or limit.
const char* skipPlain(const char* p, const char* limit)
{
    for (; limit - p >= 8; p += 8)
        if (std::uint64_t stop = notPlain(bytescan::load(p)))
            return p + bytescan::firstFlagged(stop);
    while (p < limit && kPlainText[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

constexpr std::string_view kNbsp = "&nbsp;";

// The entity a document character is written as (in buffer when numeric); empty for one
// written as itself. previous: the character before it on its editor line.
std::string_view textEntity(const HtmlOutput& out, char c, char previous, char (&buffer)[12])
{
    switch (c) {
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    case '"': return "&quot;";
    default: break;
    }
    auto code = static_cast<unsigned char>(c);
    if (code == 0xB0)
        return "&deg;";
    if (c == editor::kNoBreakSpace || (c == ' ' && (previous == ' ' || out.length == 0)))
        return kNbsp;
    if (code < 128)
        return {};
    // The Unicode number of the character: Windows-1252's 0x80-0x9F are other characters there.
    buffer[0] = '&', buffer[1] = '#';
    char* end = std::to_chars(buffer + 2, buffer + sizeof buffer - 1, std::uint32_t(Windows1252Character(code))).ptr;
    *end++ = ';';
    return std::string_view(buffer, std::size_t(end - buffer));
}

// Whether an entity of `size` characters goes into the line whole, with no line end before
// or inside it (the break rules of PutChar for its "&", the rest fitting the line).
bool entityFits(const HtmlOutput& out, std::size_t size)
{
    int length = out.length;
    int n = static_cast<int>(size);
    if (length + n <= kSoftBreak)
        return true;
    bool softBreak = length > 0 && !out.inTag && !out.inValue && out.line[length - 1] == ' ';
    return !softBreak && length <= kEntityBreak && length + n <= kHtmlLineMax;
}

void copyToLine(HtmlOutput& out, std::string_view text)
{
    if (out.length == 0)
        out.preLine = out.pre;
    std::memcpy(out.line + out.length, text.data(), text.size());
    out.length += static_cast<int>(text.size());
    out.entityStart = 0;
}

// Writes an entity with the entity-start flag set for its "&".
int putEntity(HtmlCtx* ctx, HtmlOutput& out, std::string_view entity)
{
    if (entityFits(out, entity.size())) {
        copyToLine(out, entity);
        return 1;
    }
    out.entityStart = 1;
    return PutString(ctx, out, entity);
}

// Bare unless the value would not read back whole: a blank, a quote or ">" ends a bare
// value, and an "&" may start an entity. A value holding "\"" alone is quoted with "'";
// any other in double quotes, its "\"" and "&" written as entities.
char quoteFor(const char* value)
{
    constexpr char kSpecial[] = {' ', '"', '\'', '>', '\t', '\r', '\n', '\f', '&', kKeptReferenceMark, 0};
    std::size_t special = std::strcspn(value, kSpecial);
    if (*value && !value[special])
        return 0;
    bool ampersand = std::strchr(value, '&') || std::strchr(value, kKeptReferenceMark);
    return std::strchr(value, '"') && !std::strchr(value, '\'') && !ampersand ? '\'' : '"';
}

// The length of the reference at the start of text (its "&" or mark, its name or number,
// its ";") when it can be written as it stands: a name closed by ";", or a number; else 0.
std::size_t wholeReference(std::string_view text)
{
    std::size_t length = KeptReferenceLength(text);
    bool numeric = length > 1 && text[1] == '#';
    bool semicolon = text[length - 1] == ';';
    std::size_t name = length - semicolon;
    bool hex = numeric && length > 2 && (text[2] == 'x' || text[2] == 'X');
    bool whole = numeric ? name > (hex ? 3u : 2u) : semicolon && name > 1;
    return whole ? length : 0;
}

// "&name;" for a whole reference, whether it starts with "&" or the mark. A number written
// without its ";" stays so (the page's bytes, and a text area's length, are kept) unless
// the next character would read as part of it, or is not known ('\0').
std::string referenceText(std::string_view reference, char next)
{
    std::string text = "&";
    text.append(reference.substr(1));
    auto byte = static_cast<unsigned char>(next);
    bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    bool extends = next == '\0' || next == ';' || (hex ? std::isxdigit(byte) : std::isdigit(byte));
    if (text.back() != ';' && extends)
        text += ';';
    return text;
}

int putEscapedValue(HtmlCtx* ctx, HtmlOutput& out, const char* value)
{
    constexpr char kEscaped[] = {'"', '&', kKeptReferenceMark, 0};
    for (const char* p = value; *p; ++p) {
        // What needs no entity goes as one string: it breaks where its characters would.
        if (std::size_t run = std::strcspn(p, kEscaped)) {
            if (!PutString(ctx, out, std::string_view(p, run)))
                return 0;
            p += run;
            if (!*p)
                break;
        }
        std::size_t kept = *p == kKeptReferenceMark ? wholeReference(p) : 0;
        if (kept) {
            if (!PutString(ctx, out, referenceText({p, kept}, p[kept] ? p[kept] : '"')))
                return 0;
            p += kept - 1;
            continue;
        }
        bool ampersand = *p == '&' || *p == kKeptReferenceMark;
        const char* entity = *p == '"' ? "&quot;" : ampersand ? "&amp;" : nullptr;
        if (!(entity ? PutString(ctx, out, entity) : PutChar(ctx, out, *p)))
            return 0;
    }
    return 1;
}

// A whole reference of document text as it stands, never cut by a line end.
int putReference(HtmlCtx* ctx, HtmlOutput& out, std::string_view reference, char next)
{
    std::string text = referenceText(reference, next);
    if (out.length + int(text.size()) > kHtmlLineMax && !BreakHtmlLine(ctx, out))
        return 0;
    if (text.back() != ';')
        return putEntity(ctx, out, text);
    return putEntity(ctx, out, std::string_view(text).substr(0, text.size() - 1)) && PutChar(ctx, out, ';');
}

}

HtmlOutput* NewHtmlOutput(HtmlCtx* ctx, int mode, std::uint64_t expected)
{
    std::uint64_t capacity = std::clamp(expected, kFirstHtmlCapacity, kMaxHtmlBytes);
    void* memory = OurAlloc(sizeof(HtmlOutput));
    if (!memory) {
        PrintError(ctx, "Ran out of memory(HtmlWrite).", kErrMemory);
        return nullptr;
    }
    auto* out = new (memory) HtmlOutput{};
    out->mode = mode;
    out->block = GlobalAlloc(GMEM_MOVEABLE, capacity + 1);
    // The expected size is a hint: without room for it the block starts small and grows.
    if (!out->block && capacity > kFirstHtmlCapacity) {
        capacity = kFirstHtmlCapacity;
        out->block = GlobalAlloc(GMEM_MOVEABLE, capacity + 1);
    }
    out->data = static_cast<char*>(GlobalLock(out->block));
    if (!out->data) {
        GlobalFree(out->block);
        OurFree(memory);
        PrintError(ctx, "Ran out of memory for HTML data (HtmlWrite).", kErrMemory);
        return nullptr;
    }
    out->capacity = capacity;
    return out;
}

void FreeHtmlOutput(HtmlOutput* out)
{
    if (!out)
        return;
    if (out->block) {
        GlobalUnlock(out->block);
        GlobalFree(out->block);
    }
    OurFree(out);
}

std::string_view HtmlOutputText(const HtmlOutput& out) { return {out.data, static_cast<std::size_t>(out.used)}; }

int SaveHtmlFile(HtmlCtx* ctx, const HtmlOutput& out, const char* path)
{
    if (!path || !*path)
        return 0;
    files::Outcome saved = files::saveFile(path, HtmlOutputText(out));
    if (saved)
        return 1;
    bool writeFailed = saved.error == ENOSPC || saved.error == EFBIG || saved.error == EIO || saved.error == EDQUOT;
    return writeFailed ? PrintError(ctx, "Write Error (FlushHtmlLine(a))", kErrFile) : 0;
}

HGLOBAL TakeHtmlBlock(HtmlOutput& out, std::uint64_t* length)
{
    HGLOBAL block = out.block;
    if (length)
        *length = out.used;
    if (block) {
        out.data[out.used] = 0;   // a reader of the block as text finds its end
        GlobalUnlock(block);
    }
    out.block = nullptr;
    out.data = nullptr;
    out.capacity = out.used = 0;
    return block;
}

int InsertHtmlOutput(HtmlCtx* ctx, HtmlOutput& out, std::uint64_t offset, std::string_view text)
{
    if (offset > out.used)
        return 1;
    if (!reserve(out, out.used + text.size()))
        return PrintError(ctx, "Out of memory in FlushHtmlLine", kErrMemory);
    std::memmove(out.data + offset + text.size(), out.data + offset, out.used - offset);
    std::memcpy(out.data + offset, text.data(), text.size());
    out.used += text.size();
    return 1;
}

int PutChar(HtmlCtx* ctx, HtmlOutput& out, char c)
{
    int length = out.length;
    bool soft = !out.inTag && !out.inValue && length + 1 > kSoftBreak &&
                (out.line[length - 1] == ' ' || (out.entityStart && length > kEntityBreak));
    if ((soft || (c == '\\' && length + 1 > kBackslashBreak) || length + 1 > kHtmlLineMax) && !BreakHtmlLine(ctx, out))
        return 0;
    if (out.length == 0)
        out.preLine = out.pre;
    out.line[out.length++] = c;
    out.entityStart = 0;
    return 1;
}

int PutString(HtmlCtx* ctx, HtmlOutput& out, std::string_view text)
{
    if (text.empty())
        return 1;
    // Below the soft-break length no break rule can apply: the string is copied at once.
    if (out.length + std::ptrdiff_t(text.size()) <= kSoftBreak) {
        copyToLine(out, text);
        return 1;
    }
    for (std::size_t i = 0; i < text.size();) {
        if (!PutChar(ctx, out, text[i]))
            return 0;
        if (text[i++] == ' ')
            continue;
        // After a character that is no blank, only a backslash or the line's limit can break
        // the line before the next blank: the characters up to it, and the blank, go at once.
        std::size_t room = static_cast<std::size_t>(kHtmlLineMax - out.length);
        std::size_t end = i;
        while (end < text.size() && end - i < room && text[end] != ' ' && text[end] != '\\')
            ++end;
        if (end < text.size() && end - i < room && text[end] == ' ')
            ++end;
        if (end > i)
            copyToLine(out, text.substr(i, end - i));
        i = end;
    }
    return 1;
}

int PutTextChar(HtmlCtx* ctx, HtmlOutput& out, char c, char previous)
{
    char buffer[12];
    std::string_view entity = textEntity(out, c, previous, buffer);
    if (entity.empty()) {
        out.entityStart = 0;
        return PutChar(ctx, out, c);
    }
    out.nbsp = entity == kNbsp;
    int done = putEntity(ctx, out, entity);
    out.nbsp = 0;
    return done;
}

int PutKeptReferences(HtmlCtx* ctx, HtmlOutput& out, std::string_view text, char previous, char after)
{
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = text[i] == '&' ? wholeReference(text.substr(i)) : 0;
        // The start of a reference whose rest the next run holds is written as it stands.
        if (!length && text[i] == '&' && after == kReferenceGoesOn && KeptReferenceLength(text.substr(i)) == text.size() - i)
            return putEntity(ctx, out, text.substr(i));
        if (!length) {
            if (!PutTextChar(ctx, out, text[i], previous))
                return 0;
            previous = text[i++];
            continue;
        }
        // The run's end is not its text's: the next run may begin with a digit, or be the
        // rest of the reference on the next editor line.
        char next = i + length < text.size() ? text[i + length] : after;
        if (!putReference(ctx, out, text.substr(i, length), next))
            return 0;
        previous = ';';
        i += length;
    }
    return 1;
}

namespace {

// Past the soft-break length, after a character that is no blank, characters that need
// no entity can only break at the line's limit: they are copied at once up to it.
const char* copyPlainRun(HtmlOutput& out, const char* p, const char* end, char& previous)
{
    if (out.length == 0 || out.line[out.length - 1] == ' ')
        return p;
    const char* limit = end - p > kHtmlLineMax - out.length ? p + (kHtmlLineMax - out.length) : end;
    const char* q = skipPlain(p, limit);
    if (q == p)
        return p;
    copyToLine(out, std::string_view(p, static_cast<std::size_t>(q - p)));
    previous = q[-1];
    return q;
}

// Below the soft-break length no break rule can apply: characters that need no entity,
// and single blanks inside the line, are copied at once up to it.
const char* copyBelowSoftBreak(HtmlOutput& out, const char* p, const char* end, char& previous)
{
    int length = out.length;
    const char* limit = kSoftBreak - length > end - p ? end : p + std::max(kSoftBreak - length, 0);
    // A single blank inside the line is copied; a second one, or one at the line's start, is "&nbsp;".
    char before = length == 0 ? ' ' : previous;
    const char* q = p;
    for (; limit - q >= 8; q += 8) {
        std::uint64_t x = bytescan::load(q);
        std::uint64_t blanks = bytescan::equalTo(x, ' ');
        std::uint64_t afterBlank = blanks << 8 | (before == ' ' ? 0x80 : 0);
        if (std::uint64_t stop = (notPlain(x) & ~blanks) | (blanks & afterBlank)) {
            q += bytescan::firstFlagged(stop);
            break;
        }
        before = q[7];
    }
    before = q > p ? q[-1] : before;
    for (; q < limit; ++q) {
        if (!kPlainText[static_cast<unsigned char>(*q)] && (*q != ' ' || before == ' '))
            break;
        before = *q;
    }
    if (q == p)
        return p;
    copyToLine(out, std::string_view(p, static_cast<std::size_t>(q - p)));
    previous = q[-1];
    return q;
}

}

int PutText(HtmlCtx* ctx, HtmlOutput& out, std::string_view text, char previous)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* q = out.length < kSoftBreak ? copyBelowSoftBreak(out, p, end, previous)
                                                : copyPlainRun(out, p, end, previous);
        if (q > p) {
            p = q;
            continue;
        }
        // A kept reference of a title or a field's text, its mark for the "&".
        std::size_t kept = *p == kKeptReferenceMark ? wholeReference({p, std::size_t(end - p)}) : 0;
        // A title's or a field's text ends in a tag or a line end.
        if (kept && !putReference(ctx, out, {p, kept}, p + kept < end ? p[kept] : '<'))
            return 0;
        if (kept) {
            previous = ';';
            p += kept;
            continue;
        }
        // An entity that fits the line goes in at once; anything else weighs the break rules.
        char c = *p == kKeptReferenceMark ? '&' : *p;
        char buffer[12];
        std::string_view entity = textEntity(out, c, previous, buffer);
        if (entity.empty() || !entityFits(out, entity.size())) {
            if (!PutTextChar(ctx, out, c, previous))
                return 0;
            previous = *p++;
            continue;
        }
        copyToLine(out, entity);
        previous = *p++;
        // Each blank after a blank is "&nbsp;": indented preformatted lines hold many.
        while (p < end && *p == ' ' && previous == ' ' && entityFits(out, kNbsp.size())) {
            copyToLine(out, kNbsp);
            ++p;
        }
    }
    return 1;
}

int PutTag(HtmlCtx* ctx, HtmlOutput& out, const char* name, bool start, bool flush)
{
    out.inTag = 1;
    bool done = PutChar(ctx, out, '<') && (start || PutChar(ctx, out, '/')) && PutString(ctx, out, name) &&
                PutChar(ctx, out, '>');
    out.inTag = 0;
    if (!done)
        return 0;
    return flush && !out.pre ? FlushHtmlLine(ctx, out) : 1;
}

int PutTagOpen(HtmlCtx* ctx, HtmlOutput& out, const char* name)
{
    out.inTag = 1;
    bool done = PutChar(ctx, out, '<') && PutString(ctx, out, name);
    out.inTag = 0;
    return done ? 1 : 0;
}

int PutAttr(HtmlCtx* ctx, HtmlOutput& out, const char* name, const char* value)
{
    if (!PutChar(ctx, out, ' ') || !PutString(ctx, out, name))
        return 0;
    if (!value)
        return 1;
    char quote = quoteFor(value);
    if (!PutChar(ctx, out, '='))
        return 0;
    if (!quote)
        return PutString(ctx, out, value);
    // A line end inside the quotes would be part of the value.
    out.inValue = 1;
    bool written = PutChar(ctx, out, quote) &&
                   (quote == '"' ? putEscapedValue(ctx, out, value) : PutString(ctx, out, value)) &&
                   PutChar(ctx, out, quote);
    out.inValue = 0;
    return written ? 1 : 0;
}

int PutAttrInt(HtmlCtx* ctx, HtmlOutput& out, const char* name, long value)
{
    char text[24];
    *std::to_chars(text, text + sizeof text - 1, value).ptr = 0;
    return PutAttr(ctx, out, name, text);
}

int PutTagEnd(HtmlCtx* ctx, HtmlOutput& out, bool flush)
{
    out.inTag = 1;
    int done = PutChar(ctx, out, '>');
    out.inTag = 0;
    if (!done)
        return 0;
    return flush && !out.pre ? FlushHtmlLine(ctx, out) : 1;
}

namespace {

int flushLine(HtmlCtx* ctx, HtmlOutput& out, bool lineEnd)
{
    if (lineEnd) {
        out.line[out.length++] = '\r';
        out.line[out.length++] = '\n';
    }
    // A line that continues one sent without a line end, or that began inside "pre", gets
    // no indentation: blanks there would be read as text.
    bool indented = !out.continued && !out.preLine && out.indent > 0;
    std::uint64_t indent = indented ? std::uint64_t(out.indent) * kIndentWidth : 0;
    if (!reserve(out, out.used + indent + std::uint64_t(out.length))) {
        out.length = 0;
        return PrintError(ctx, "Out of memory in FlushHtmlLine", kErrMemory);
    }
    std::memset(out.data + out.used, ' ', indent);
    out.used += indent;
    append(out, out.line, static_cast<std::size_t>(out.length));
    out.continued = !lineEnd;
    out.length = 0;
    return 1;
}

}

int FlushHtmlLine(HtmlCtx* ctx, HtmlOutput& out)
{
    if (out.length == 0)
        return 1;
    return flushLine(ctx, out, !out.nbsp && !out.pre);
}

int BreakHtmlLine(HtmlCtx* ctx, HtmlOutput& out)
{
    if (out.length == 0)
        return 1;
    bool afterBlank = out.line[out.length - 1] == ' ';
    return flushLine(ctx, out, afterBlank && !out.nbsp && !out.pre && !out.inValue);
}

int EndHtmlLine(HtmlCtx* ctx, HtmlOutput& out)
{
    if (out.length == 0)
        out.preLine = 1;
    return flushLine(ctx, out, true);
}

char* ColorToHtml(COLORREF colour, char* buffer)
{
    unsigned long rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    std::snprintf(buffer, 8, "#%06lx", rgb);
    return buffer;
}

}
