#include "platform/editor/rtf/rtf_writer.h"

#include "platform/editor/model/line_flags.h"
#include "platform/editor/rtf/rtf_words.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace ks::editor::rtf {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kPageWidth = 9360;       // twips of text width that percentages refer to
constexpr int kAutoColumn = 1800;
constexpr std::size_t kWrapAt = 200;   // output lines are broken between groups past this
constexpr std::size_t kHexLine = 128;

class Writer {
public:
    explicit Writer(Editor& e) : e_(e) {}

    // Faces are numbered as runs first use them: every run names its face, and a reader keeps
    // no face for the document's own default, so naming that one first would number the
    // faces differently once the file was read back.
    std::string run()
    {
        const auto& paras = e_.doc.paragraphs();
        // Room for the text and its usual words, so that the body is rarely moved while it grows.
        std::size_t guess = 0;
        for (const Paragraph& p : paras)
            guess += p.chars.size() + 64;
        body_.reserve(guess + guess / 4);
        for (std::size_t p = 0; p < paras.size(); ++p)
            paragraph(paras[p]);
        if (faces_.empty())
            faceIndex(e_.fonts.get(0)->face);   // \deff0 names a face even in a document without text
        std::string head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
        for (std::size_t i = 0; i < faces_.size(); ++i)
            head += "{\\f" + std::to_string(i) + "\\fnil " + faces_[i] + ";}";
        head += "}\r\n{\\colortbl;";
        for (std::uint32_t c : colours_)
            head += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
                    "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
        head += "}\r\n";
        head.reserve(head.size() + body_.size() + 3);
        head += body_;
        head += "}\r\n";
        return head;
    }

private:
    // Face and class names go out bare, so what would end or open a group is left out.
    static std::string bare(const std::string& name)
    {
        std::string out;
        for (char c : name)
            if (c != ';' && c != '{' && c != '}' && c != '\\' && static_cast<unsigned char>(c) >= 0x20)
                out += c;
        return out;
    }

    int faceIndex(const std::string& rawFace)
    {
        std::string face = bare(rawFace);
        auto it = std::find(faces_.begin(), faces_.end(), face);
        if (it != faces_.end())
            return static_cast<int>(it - faces_.begin());
        faces_.push_back(face);
        return static_cast<int>(faces_.size()) - 1;
    }

    // Colour table index; 0 is "automatic".
    int colourIndex(std::uint32_t c)
    {
        auto it = std::find(colours_.begin(), colours_.end(), c);
        if (it != colours_.end())
            return static_cast<int>(it - colours_.begin()) + 1;
        colours_.push_back(c);
        return static_cast<int>(colours_.size());
    }

    void word(const char* w, long long n)
    {
        body_ += '\\';
        body_ += w;
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        body_.append(digits, end);
    }
    void plainWord(const char* w)
    {
        body_ += '\\';
        body_ += w;
    }
    void wordIf(const char* w, long long n)
    {
        if (n != 0)
            word(w, n);
    }
    void newline()
    {
        body_ += "\r\n";
        lineStart_ = body_.size();
    }
    void wrapIfLong()
    {
        if (body_.size() - lineStart_ > kWrapAt)
            newline();
    }

    void paragraph(const Paragraph& p)
    {
        int cell = p.meta.cell;
        int depth = e_.tables.depth(cell);
        int outerCell = e_.tables.cellAtDepth(cell, 1);
        const Cell* outer = e_.tables.cell(outerCell);
        if (outer && outer->row != lastOuterRow_) {
            rowDefinition(outer->row);
            newline();
        }
        lastOuterRow_ = outer ? outer->row : 0;
        body_ += "\\pard";
        if (depth >= 1)
            body_ += "\\intbl";
        if (depth >= 2)
            word("itap", depth);
        formatWords(e_.formats.get(p.meta.format));
        body_ += ' ';
        runs(p);
        char end = p.terminated() ? p.chars.back() : 0;
        if (end == kParaMark)
            body_ += "\\par";
        else if (end == kCellEnd)
            body_ += depth >= 2 ? "\\nestcell" : "\\cell";
        else if (end == kRowEnd && depth >= 2) {
            body_ += "{\\*\\nesttableprops";
            rowDefinition(e_.tables.cell(cell)->row);
            body_ += "\\nestrow}";
        } else if (end == kRowEnd)
            body_ += "\\row";
        newline();
    }

    void formatWords(const ParaFormat& f)
    {
        wordIf("li", f.leftIndent);
        wordIf("ri", f.rightIndent);
        wordIf("fi", f.firstIndent);
        wordIf("sb", f.spaceBefore);
        wordIf("sa", f.spaceAfter);
        if (f.lineValue != 0 && !isRule(f)) {
            word("sl", f.lineValue);
            body_ += "\\slmult0";
        }
        if (f.flags & kAlignCentre)
            body_ += "\\qc";
        else if (f.flags & kAlignRight)
            body_ += "\\qr";
        else if (f.flags & kAlignJustify)
            body_ += "\\qj";
        static const char* sides[4] = {"brdrt", "brdrb", "brdrl", "brdrr"};
        for (int i = 0; i < 4; ++i)
            if (f.flags & (kBorderTop << i))
            {
                plainWord(sides[i]);
                body_ += "\\brdrs\\brdrw15";
            }
        if (f.background != 0xFFFFFF)
            word("cbpat", colourIndex(f.background));
        wordIf(kTypeWord, f.typeWord);
        wordIf(kOpaque4, f.opaque4);
        wordIf(kOpaque5, f.opaque5);
        wordIf(kRuleValue, f.ruleValue);
        wordIf(kStyleFlags, f.styleFlags);
        wordIf(kLineValue, f.lineValue);
        wordIf(kParaFlags, f.flags);
        wordIf(kRuleWord, f.ruleWord);
        if (f.background != 0xFFFFFF)
            word(kParaBackground, f.background);
        if ((f.flags & kListNumbered) && f.listFormat)
            listWords(e_.lists.get(f.listFormat));
    }

    void listWords(const ListFormat& l)
    {
        static const char* numbering[5] = {"pndec", "pnucltr", "pnlcltr", "pnucrm", "pnlcrm"};
        body_ += "{\\*\\pn";
        if (l.bullet)
            body_ += "\\pnlvlblt{\\pntxtb\\'95}";
        else {
            body_ += "\\pnlvlbody";
            plainWord(numbering[std::clamp(l.style, 0, 4)]);
            word("pnstart", l.start);
        }
        body_ += "}";
        word(kListBullet, l.bullet);
        word(kListStart, l.start);
        word(kListLevel, l.level);
        word(kListStyle, l.style);
    }

    void runs(const Paragraph& p)
    {
        std::size_t n = p.chars.size() - (p.terminated() ? 1 : 0);
        int openField = 0;
        for (std::size_t i = 0; i < n;) {
            // A run: the characters in one font up to an object character, which stands alone.
            std::size_t j = i + 1;
            if (p.chars[i] != kObjectChar) {
                while (j < n && p.fonts[j] == p.fonts[i])
                    ++j;
                j = static_cast<std::size_t>(std::find(p.chars.begin() + i + 1, p.chars.begin() + j, kObjectChar) -
                                             p.chars.begin());
            }
            const FontEntry* f = e_.fonts.get(p.fonts[i]);
            int field = f && !f->isObject() ? f->field : 0;
            if (field != openField) {
                if (openField)
                    body_ += "}}";
                if (field)
                {
                    body_ += "{\\field{\\*\\fldinst MERGEFIELD ";
                    for (char c : fieldName(field))
                        character(c);
                    body_ += "}{\\fldrslt ";
                }
                openField = field;
            }
            if (f && f->isObject())
                object(*f);
            else
                textRun(f ? p.fonts[i] : 0, std::string_view(p.chars).substr(i, j - i));
            wrapIfLong();
            i = j;
        }
        if (openField)
            body_ += "}}";
    }

    std::string fieldName(int field)
    {
        std::string name = e_.fieldNames[field - 1];
        return name.find(' ') == std::string::npos ? name : "\"" + name + "\"";
    }

    // A document has few fonts and many runs: each font's opening words are made once.
    void textRun(int fontId, std::string_view text)
    {
        if (static_cast<std::size_t>(fontId) >= runOpenings_.size())
            runOpenings_.resize(fontId + 1);
        std::string& opening = runOpenings_[fontId];
        if (opening.empty())
            opening = runOpening(*e_.fonts.get(fontId));
        body_ += opening;
        escaped(text);
        body_ += '}';
    }

    std::string runOpening(const FontEntry& f)
    {
        // The word writers append to the body: it is set aside meanwhile.
        std::string saved = std::move(body_);
        body_.assign(1, '{');
        word("f", faceIndex(f.face));
        word("fs", f.points * 2);
        static const std::pair<std::uint32_t, const char*> styles[] = {
            {kBold, "\\b"}, {kItalic, "\\i"}, {kUnderline, "\\ul"}, {kStrike, "\\strike"},
            {kSuperscript, "\\super"}, {kSubscript, "\\sub"}, {kHidden, "\\v"}};
        for (auto& [bit, w] : styles)
            if (f.style & bit)
                body_ += w;
        if (f.style & kMarked)
            plainWord(kMarkStyle);
        if (f.style & ks::editor::kLinkText)
            plainWord(kLinkWord);
        if (f.colour != kAutoColour)
            word("cf", colourIndex(f.colour));
        if (f.colour2 != kNoColour)
            word(kColour2, f.colour2);
        wordIf(kUserId, f.userId);
        wordIf(kSizeTag, f.tag);
        body_ += ' ';
        std::string opening = std::move(body_);
        body_ = std::move(saved);
        return opening;
    }

    // Printable ASCII but for the three characters RTF escapes.
    static bool plainCharacter(char c)
    {
        static constexpr auto plain = [] {
            std::array<bool, 256> table{};
            for (int u = 0x20; u < 0x80; ++u)
                table[u] = u != '\\' && u != '{' && u != '}';
            return table;
        }();
        return plain[static_cast<unsigned char>(c)];
    }

    // Stretches of plain characters go out in one append.
    void escaped(std::string_view text)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t j = i;
            while (j < text.size() && plainCharacter(text[j]))
                ++j;
            body_.append(text.data() + i, j - i);
            if (j < text.size())
                character(text[j++]);
            i = j;
        }
    }

    void character(char c)
    {
        auto u = static_cast<unsigned char>(c);
        if (plainCharacter(c)) {
            body_ += c;
            return;
        }
        switch (c) {
        case '\\': body_ += "\\\\"; return;
        case '{': body_ += "\\{"; return;
        case '}': body_ += "\\}"; return;
        case '\t': body_ += "\\tab "; return;
        case kLineBreak: body_ += "\\line "; return;
        case kNoBreakSpace: body_ += "\\~"; return;
        case kPageBreak: body_ += "\\page "; return;
        case kSectionBreak: body_ += "\\sect "; return;
        case kColumnBreak: body_ += "\\column "; return;
        default: break;
        }
        if (u >= 0x80) {
            static const char* hex = "0123456789abcdef";
            body_ += "\\'";
            body_ += hex[u >> 4];
            body_ += hex[u & 15];
        } else if (u >= 0x20) {
            body_ += c;
        }
        // Other control characters (0x10, 0x11, ...) are internal: never written.
    }

    void object(const FontEntry& f)
    {
        const ObjectData& o = *f.object;
        int w = std::max(1, o.rect.right - o.rect.left), h = std::max(1, o.rect.bottom - o.rect.top);
        if (o.kind == ObjectData::Kind::Control) {
            std::string cls = bare(o.controlClass);
            cls.erase(std::remove(cls.begin(), cls.end(), ' '), cls.end());
            body_ += "{\\*\\" + std::string(kControl) + " " + (cls.empty() ? "Static" : cls) + " " + std::to_string(o.controlStyle) +
                     " " + std::to_string(w) + " " + std::to_string(h) + " " + std::to_string(o.controlId) + "}";
            return;
        }
        if (o.data.empty())
            return;   // a placeholder for a missing picture: RTF has no picture without bytes
        std::string data = o.data;
        using F = ObjectData::Format;
        const char* kind = "pngblip";
        if (o.format == F::Bmp || o.format == F::Dib) {
            kind = "dibitmap0";
            if (o.format == F::Bmp)
                data.erase(0, std::min<std::size_t>(14, data.size()));
        } else if (o.format == F::Wmf) {
            kind = "wmetafile8";
            if (data.size() >= 22 && data.compare(0, 4, "\xD7\xCD\xC6\x9A") == 0)
                data.erase(0, 22);
        }
        body_ += "{\\pict\\" + std::string(kind);
        word("picw", w);
        word("pich", h);
        word("picwgoal", w * kTwipsPerPixel);
        word("pichgoal", h * kTwipsPerPixel);
        wordIf(kPictureAux, o.aux);
        wordIf(kPictureValign, o.verticalAlign);
        wordIf(kPictureFloat, o.floatSide);
        if (f.style & ks::editor::kLinkText)
            plainWord(kPictureLink);
        if (!o.fileName.empty()) {
            body_ += "{\\*\\" + std::string(kPictureName) + " ";
            for (char c : o.fileName)
                character(c);
            body_ += "}";
        }
        static const char* hex = "0123456789abcdef";
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (i % (kHexLine / 2) == 0)
                newline();
            auto u = static_cast<unsigned char>(data[i]);
            body_ += hex[u >> 4];
            body_ += hex[u & 15];
        }
        body_ += "}";
    }

    void rowDefinition(int rowId)
    {
        Row* row = e_.tables.row(rowId);
        Table* t = row ? e_.tables.table(row->table) : nullptr;
        if (!t)
            return;
        body_ += "\\trowd\\trgaph108";
        wordIf("trleft", t->indent);
        if (t->alignment & kAlignCentre)
            body_ += "\\trqc";
        else if (t->alignment & kAlignRight)
            body_ += "\\trqr";
        const Cell* first = row->cells.empty() ? nullptr : e_.tables.cell(row->cells.front());
        if (first && first->height > 0)
            word("trrh", first->height);
        wordIf(kTableWidth, t->width);
        wordIf(kTableIndent, t->indent);
        wordIf(kTableAlign, t->alignment);
        wordIf(kTableColumns, t->columns);
        int x = t->indent;
        for (int id : row->cells) {
            const Cell& c = *e_.tables.cell(id);
            x += cellDefinition(c, t->width);
            word("cellx", x);
        }
    }

    // Writes one cell's words; returns its width in twips.
    int cellDefinition(const Cell& c, int tableWidth)
    {
        if (c.rowSpan > 1)
            body_ += "\\clvmgf";
        else if (c.rowSpan == 0)
            body_ += "\\clvmrg";
        if (c.colSpan == 0)
            body_ += "\\clmrg";
        if (c.flags & kCellMiddle)
            body_ += "\\clvertalc";
        else if (c.flags & kCellBottom)
            body_ += "\\clvertalb";
        static const char* sides[4] = {"clbrdrl", "clbrdrt", "clbrdrr", "clbrdrb"};
        for (int i = 0; i < 4; ++i)
            if (c.borders[i] > 0) {
                plainWord(sides[i]);
                body_ += "\\brdrs";
                word("brdrw", c.borders[i]);
            }
        if (c.colour != 0xFFFFFF)
            word("clcbpat", colourIndex(c.colour));
        word(kCellWidth, c.width);
        wordIf(kCellHeight, c.height);
        word(kRowSpan, c.rowSpan);
        word(kColSpan, c.colSpan);
        word(kCellFlags, c.flags);
        wordIf(kCellAlign, c.alignment);
        if (c.colour != 0xFFFFFF)
            word(kCellColour, c.colour);
        if (c.padding >= 0)
            word(kCellPadding, c.padding);
        for (int b : c.borders)
            word(kBorder, b);
        int span = std::max(1, c.colSpan);
        if (c.width > 0)
            return c.width;
        int base = tableWidth > 0 ? tableWidth : kPageWidth;
        if (c.width < 0)
            return std::max(1, base * -c.width / 100);
        return kAutoColumn * span;
    }

    Editor& e_;
    std::string body_;
    std::size_t lineStart_ = 0;
    std::vector<std::string> faces_;
    std::vector<std::uint32_t> colours_;
    std::vector<std::string> runOpenings_;   // by font id, empty until first used
    int lastOuterRow_ = 0;
};

}

std::string writeRtf(Editor& e)
{
    e.doc.relayout();
    return Writer(e).run();
}

}
