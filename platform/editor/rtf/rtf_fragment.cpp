#include "platform/editor/rtf/rtf_fragment.h"
#include "platform/editor/rtf/rtf_reader.h"
#include "platform/editor/rtf/rtf_writer.h"

namespace ks::editor::rtf {
namespace {

// Characters a fragment leaves out: table structure, and controls (their windows stay with their document).
bool keeps(Editor& e, char c, std::uint16_t font)
{
    if (c == kRowEnd)
        return false;
    const FontEntry* f = e.fonts.get(font);
    return !(c == kObjectChar && f && f->object && f->object->kind == ObjectData::Kind::Control);
}

}

std::string fragmentRtf(Editor& e, std::uint64_t from, std::uint64_t to)
{
    Editor part(nullptr);
    part.fonts = e.fonts;
    for (int id = 0; id < part.fonts.count(); ++id)
        if (FontEntry* f = part.fonts.get(id); f && f->object)
            f->object->control = nullptr;   // the copy owns no windows
    part.formats = e.formats;
    part.lists = e.lists;
    part.fieldNames = e.fieldNames;
    part.doc.clear();
    char c;
    std::uint16_t font;
    for (std::uint64_t p = from; p < to && e.doc.charAt(p, c, font); ++p) {
        if (!keeps(e, c, font))
            continue;
        std::size_t line, col;
        e.doc.posToLineCol(p, line, col);
        int format = e.formatIdOf(e.doc.paraOfLine(line));
        char out = c == kCellEnd ? kParaMark : c;
        part.doc.append(std::string_view(&out, 1), &font, {format, 0});
    }
    return writeRtf(part);
}

bool insertRtf(Editor& e, std::string_view bytes)
{
    Editor part(nullptr);
    if (readRtf(part, bytes) == ReadResult::NotRtf)
        return false;
    // Fonts, formats and lists of the fragment, as the document's own ids.
    std::vector<std::uint16_t> fontIds(static_cast<std::size_t>(part.fonts.count()), 0);
    for (int id = 0; id < part.fonts.count(); ++id)
        if (const FontEntry* f = part.fonts.get(id)) {
            int mapped = f->isObject() ? (f->object && f->object->kind == ObjectData::Kind::Picture ? e.fonts.append(*f) : -1)
                                       : e.fonts.share(*f);
            fontIds[id] = static_cast<std::uint16_t>(mapped < 0 ? 0 : mapped);
        }
    std::string chars;
    std::vector<std::uint16_t> fonts;
    std::vector<int> formats;   // of each paragraph end in chars
    for (std::size_t p = 0; p < part.doc.paragraphs().size(); ++p) {
        const Paragraph& para = part.doc.paragraphs()[p];
        for (std::size_t i = 0; i < para.chars.size(); ++i) {
            char c = para.chars[i] == kCellEnd ? kParaMark : para.chars[i];
            if (c == kRowEnd || (c == kObjectChar && fontIds[para.fonts[i]] == 0))
                continue;
            chars.push_back(c);
            fonts.push_back(fontIds[para.fonts[i]]);
            if (c == kParaMark) {
                ParaFormat f = part.formatOf(p);
                f.listFormat = f.listFormat ? e.lists.intern(part.lists.get(f.listFormat)) : 0;
                formats.push_back(e.formats.intern(f));
            }
        }
    }
    std::uint64_t from, to;
    e.selectionRange(from, to);
    e.replaceText(from, to - from, chars, fonts, nullptr);
    // Each pasted paragraph takes its format; they keep the cell they landed in.
    std::uint64_t pos = from;
    std::size_t next = 0;
    for (char c : chars) {
        if (c == kParaMark && next < formats.size()) {
            std::size_t line, col;
            e.doc.posToLineCol(pos, line, col);
            std::size_t para = e.doc.paraOfLine(line);
            e.doc.setMeta(para, {formats[next++], e.doc.paragraphs()[para].meta.cell});
        }
        ++pos;
    }
    return true;
}

}
