#include "platform/editor/rtf/rtf_parser.h"

#include "platform/editor/model/picture_files.h"
#include "platform/editor/rtf/rtf_words.h"
#include "platform/editor/vek32.h"
#include "platform/files/files.h"
#include "platform/win/global_memory.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace ks::editor::rtf {
namespace {

// Bounds that keep a hostile file from exhausting the stack or memory.
constexpr std::size_t kMaxGroups = 2000;
constexpr int kMaxDepth = 16;
constexpr std::size_t kMaxPicture = std::size_t(64) << 20;
constexpr std::size_t kMaxDestText = 4096;
constexpr int kTwipsPerPixel = 15;

// Windows-1252 bytes 0x80-0x9F by their Unicode code point.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char fromUnicode(long long cp)
{
    if (cp < 0)
        cp += 65536;
    if (cp >= 0x20 && cp < 0x80)
        return static_cast<char>(cp);
    if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

constexpr auto kHexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values['0' + i] = static_cast<std::int8_t>(i);
    for (int i = 0; i < 6; ++i)
        values['a' + i] = values['A' + i] = static_cast<std::int8_t>(10 + i);
    return values;
}();

int hexValue(char c) { return kHexValues[static_cast<unsigned char>(c)]; }

// ASCII only, whatever the locale: control words are ASCII letters.
bool isLetter(char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 26; }
bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Control characters of our own stream: they never come from a file's text.
bool streamControl(char c)
{
    return c == 0 || c == kInternal1 || c == kInternal2 || endsParagraph(c) || c == kObjectChar;
}

// Bytes that end a stretch of plain text.
constexpr auto kEndsText = [] {
    std::array<bool, 256> ends{};
    for (unsigned char c : {'\\', '{', '}', '\r', '\n'})
        ends[c] = true;
    return ends;
}();
bool endsText(char c) { return kEndsText[static_cast<unsigned char>(c)]; }

bool on(bool hasParam, long long param) { return !hasParam || param != 0; }

int clampInt(long long v, long long lo, long long hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

void setBit(std::uint32_t& word, std::uint32_t bit, bool set) { word = set ? (word | bit) : (word & ~bit); }

// The first word of a field instruction and its argument, quotes removed.
void splitInstruction(const std::string& text, std::string& kind, std::string& argument)
{
    std::size_t i = text.find_first_not_of(' ');
    std::size_t j = text.find(' ', i == std::string::npos ? 0 : i);
    kind = i == std::string::npos ? "" : text.substr(i, j - i);
    for (char& c : kind)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    argument.clear();
    if (j == std::string::npos)
        return;
    std::size_t a = text.find_first_not_of(' ', j);
    if (a == std::string::npos)
        return;
    if (text[a] == '"') {
        std::size_t b = text.find('"', a + 1);
        argument = text.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
    } else {
        argument = text.substr(a, text.find(' ', a) - a);
    }
}

bool endsWith(std::string s, const char* tail)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

}

WordKind& WordKinds::at(std::string_view w)
{
    // Control words are short and differ early: their length and three letters hash well enough.
    std::size_t n = w.size();
    std::size_t h = n == 0 ? 0 : n * 0x9E3779B1u ^ std::size_t(w[0]) * 31 ^ std::size_t(w[n / 2]) * 131 ^ std::size_t(w[n - 1]) * 1031;
    for (std::size_t i = h % kSlots;; i = (i + 1) % kSlots) {
        if (!words_[i].empty()) {
            if (words_[i] == w)
                return kinds_[i];
            continue;
        }
        if (used_ >= kMaxWords || n == 0) {
            scratch_ = WordKind::Unseen;
            return scratch_;
        }
        ++used_;
        words_[i] = w;
        return kinds_[i];
    }
}

bool RtfParser::parse(std::string_view in)
{
    e_.resetDocument();
    e_.doc.clear();
    stack_.assign(1, Group{});
    colours_.assign(1, kAutoColour);
    std::size_t i = 0, n = in.size();
    bool starred = false;
    while (i < n) {
        char c = in[i];
        if (c == '{') {
            open();
            ++i;
        } else if (c == '}') {
            close();
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else if (c != '\\') {
            std::size_t j = i;
            while (j < n && !endsText(in[j]))
                ++j;
            textRun(in.substr(i, j - i));
            i = j;
        } else if (++i >= n) {
            damaged_ = true;
        } else if (isLetter(in[i])) {
            std::size_t start = i;
            while (i < n && i - start < 32 && isLetter(in[i]))
                ++i;
            std::string_view word = in.substr(start, i - start);
            bool hasParam = false, negative = false;
            long long param = 0;
            if (i < n && in[i] == '-' && i + 1 < n && isDigit(in[i + 1])) {
                negative = true;
                ++i;
            }
            for (int digits = 0; i < n && isDigit(in[i]); ++i, ++digits)
                if (digits < 10) {
                    param = param * 10 + (in[i] - '0');
                    hasParam = true;
                }
            if (negative)
                param = -param;
            if (i < n && in[i] == ' ')
                ++i;
            if (word == "bin") {
                // Binary data: skipped, never read as text.
                std::size_t skip = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
                i += std::min(skip, n - i);
                continue;
            }
            if (starred) {
                starred = false;
                if (top().dest != Dest::Skip && !destinationWord(word, true))
                    top().dest = Dest::Skip;
                continue;
            }
            controlWord(word, hasParam, param);
        } else {
            char s = in[i++];
            if (s == '\'') {
                int hi = i < n ? hexValue(in[i]) : -1, lo = i + 1 < n ? hexValue(in[i + 1]) : -1;
                if (hi < 0 || lo < 0) {
                    damaged_ = true;
                    continue;
                }
                i += 2;
                text(static_cast<char>(hi * 16 + lo));
            } else if (s == '*') {
                starred = true;
            } else if (s == '\r' || s == '\n') {
                controlWord("par", false, 0);
            } else if (s == '\\' || s == '{' || s == '}') {
                text(s);
            } else if (s == '~') {
                text(kNoBreakSpace);
            } else if (s == '_') {
                text('-');
            }
        }
    }
    if (stack_.size() != 1 || overflow_ > 0)
        damaged_ = true;
    while (stack_.size() > 1)
        close();
    endPiece(0, 0);
    closeDeeperThan(0);
    if (e_.doc.length() == 0)
        e_.doc.reset({kPlainFormat, 0});
    e_.doc.relayout();
    e_.setCaret(0);
    return !damaged_;
}

void RtfParser::open()
{
    if (stack_.size() >= kMaxGroups) {
        ++overflow_;
        damaged_ = true;
        return;
    }
    stack_.push_back(top());
}

void RtfParser::close()
{
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) {
        damaged_ = true;
        return;
    }
    Group g = std::move(stack_.back());
    stack_.pop_back();
    Group& parent = top();
    if (g.dest == parent.dest)
        return;
    switch (g.dest) {
    case Dest::Pict: finishPicture(); break;
    case Dest::PictName: picture_.name = destText_; break;
    case Dest::FieldInst: finishFieldInstruction(parent); break;
    case Dest::Control: finishControl(destText_); break;
    case Dest::ListProps:
        parent.para.numbered = g.para.numbered;
        parent.para.list = g.para.list;
        break;
    default: break;
    }
}

bool RtfParser::destinationWord(std::string_view w, bool starred)
{
    Group& g = top();
    static const std::string_view skipped[] = {
        "stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
        "footnote", "pntext", "listtext", "nonshppict", "xmlnstbl", "filetbl", "revtbl", "rsidtbl", "generator",
        "themedata", "colorschememapping", "latentstyles", "datastore", "annotation", "atnid", "txe", "xe", "tc",
        "userprops", "docvar", "template", "private", "nonesttables"};
    if (std::find(std::begin(skipped), std::end(skipped), w) != std::end(skipped)) {
        g.dest = Dest::Skip;
        return true;
    }
    if (w == "fonttbl") {
        g.dest = Dest::FontTable;
    } else if (w == "colortbl") {
        g.dest = Dest::ColourTable;
        colours_.clear();
        red_ = green_ = blue_ = 0;
        forgetFonts();
    } else if (w == "pict") {
        g.dest = Dest::Pict;
        picture_ = {};
    } else if (w == "field") {
        g.fieldInstruction.clear();
        g.skipResult = false;
    } else if (w == "fldinst") {
        g.dest = Dest::FieldInst;
        destText_.clear();
    } else if (w == "fldrslt") {
        if (g.skipResult)
            g.dest = Dest::Skip;
        else if (!g.fieldInstruction.empty())
            g.chars.field = e_.fieldNumber(g.fieldInstruction);
    } else if (w == "pn") {
        g.dest = Dest::ListProps;
    } else if (w == "nesttableprops") {
        g.nestProps = true;
    } else if (w == "listtable") {
        g.dest = Dest::ListTable;
    } else if (w == "listoverridetable") {
        g.dest = Dest::ListOverrides;
    } else if (w == kPictureName) {
        g.dest = Dest::PictName;
        destText_.clear();
    } else if (w == kControl) {
        g.dest = Dest::Control;
        destText_.clear();
    } else {
        // shppict, object, result and the like simply hold text or a picture.
        return !starred && (w == "shppict" || w == "object" || w == "result");
    }
    return true;
}

void RtfParser::controlWord(std::string_view w, bool hasParam, long long param)
{
    Group& g = top();
    switch (g.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (w == "f") {
            fontTableIndex_ = clampInt(param, 0, 0xFFFF);
            fontName_.clear();
        } else if (!destinationWord(w, false)) {
            // font family, charset and pitch words carry nothing we keep
        }
        return;
    case Dest::ColourTable:
        if (w == "red")
            red_ = clampInt(param, 0, 255);
        else if (w == "green")
            green_ = clampInt(param, 0, 255);
        else if (w == "blue")
            blue_ = clampInt(param, 0, 255);
        return;
    case Dest::Pict: {
        using F = ObjectData::Format;
        if (w == "pngblip")
            picture_.format = F::Png;
        else if (w == "dibitmap")
            picture_.format = F::Dib;
        else if (w == "wmetafile")
            picture_.format = F::Wmf;
        else if (w == "jpegblip" || w == "emfblip" || w == "macpict" || w == "wbitmap")
            picture_.format = F::None;
        else if (w == "picw")
            picture_.width = clampInt(param, 0, 32768);
        else if (w == "pich")
            picture_.height = clampInt(param, 0, 32768);
        else if (w == "picwgoal")
            picture_.goalWidth = clampInt(param, 0, 32768 * kTwipsPerPixel);
        else if (w == "pichgoal")
            picture_.goalHeight = clampInt(param, 0, 32768 * kTwipsPerPixel);
        else if (w == kPictureAux)
            picture_.aux = clampInt(param, -1000000, 1000000);
        else if (w == kPictureValign)
            picture_.valign = clampInt(param, 0, 2);
        else if (w == kPictureFloat)
            picture_.floatSide = clampInt(param, 0, 2);
        else if (w == kPictureLink)
            picture_.link = true;
        else
            destinationWord(w, false);
        return;
    }
    case Dest::ListTable:
        if (w == "list") {
            listDef_ = {0, 1, 0, 0};
            listLevels_ = 0;
        } else if (w == "listlevel") {
            ++listLevels_;
        } else if (w == "levelnfc" && listLevels_ == 1) {
            static const int styles[5] = {0, 3, 4, 1, 2};
            listDef_.bullet = param == 23 ? 1 : 0;
            listDef_.style = param >= 0 && param < 5 ? styles[param] : 0;
        } else if (w == "levelstartat" && listLevels_ == 1) {
            listDef_.start = clampInt(param, 0, 32767);
        } else if (w == "listid") {
            listsById_[clampInt(param, INT32_MIN, INT32_MAX)] = listDef_;
        }
        return;
    case Dest::ListOverrides:
        if (w == "listid")
            overrideListId_ = clampInt(param, INT32_MIN, INT32_MAX);
        else if (w == "ls")
            listsByLs_[clampInt(param, 0, 32767)] = listsById_.count(overrideListId_) ? listsById_[overrideListId_] : ListFormat{0, 1, 0, 0};
        return;
    case Dest::PictName:
    case Dest::FieldInst:
    case Dest::Control:
        return;
    case Dest::Text:
    case Dest::ListProps:
        break;
    }
    // Which handler takes a word is learnt the first time the word comes: a file repeats a
    // few dozen words tens of thousands of times.
    WordKind& kind = wordKinds_.at(w);
    switch (kind) {
    case WordKind::Destination: destinationWord(w, false); return;
    case WordKind::Character: characterWord(w, hasParam, param); return;
    case WordKind::Paragraph: paragraphWord(w, hasParam, param); return;
    case WordKind::Table: tableWord(w, hasParam, param); return;
    case WordKind::Other: otherWord(w, hasParam, param); return;
    case WordKind::None: return;
    case WordKind::Unseen: break;
    }
    kind = destinationWord(w, false)              ? WordKind::Destination
           : characterWord(w, hasParam, param)    ? WordKind::Character
           : paragraphWord(w, hasParam, param)    ? WordKind::Paragraph
           : tableWord(w, hasParam, param)        ? WordKind::Table
           : otherWord(w, hasParam, param)        ? WordKind::Other
                                                  : WordKind::None;
}

// Breaks, table ends, special characters and Unicode. False for a word none of the handlers knows.
bool RtfParser::otherWord(std::string_view w, bool hasParam, long long param)
{
    Group& g = top();
    if (w == "par")
        endPiece(kParaMark, g.para.depth);
    else if (w == "line")
        text(kLineBreak);
    else if (w == "tab")
        text('\t');
    else if (w == "page")
        text(kPageBreak);
    else if (w == "sect")
        text(kSectionBreak);
    else if (w == "column")
        text(kColumnBreak);
    else if (w == "cell")
        endCell(1);
    else if (w == "nestcell")
        endCell(std::max(2, g.para.depth));
    else if (w == "row")
        endRow(1);
    else if (w == "nestrow")
        endRow(std::max(2, g.para.depth));
    else if (w == "u") {
        if (hasParam) {
            text(fromUnicode(param));
            skipChars_ = g.unicodeSkip;
        }
    } else if (w == "uc")
        g.unicodeSkip = clampInt(param, 0, 10);
    else if (w == "emdash")
        text('\x97');
    else if (w == "endash")
        text('\x96');
    else if (w == "lquote")
        text('\x91');
    else if (w == "rquote")
        text('\x92');
    else if (w == "ldblquote")
        text('\x93');
    else if (w == "rdblquote")
        text('\x94');
    else if (w == "bullet")
        text('\x95');
    else if (w == "emspace" || w == "enspace" || w == "qmspace")
        text(' ');
    else
        return false;
    return true;
}

bool RtfParser::characterWord(std::string_view w, bool hasParam, long long param)
{
    CharState& c = top().chars;
    static const std::pair<std::string_view, std::uint32_t> toggles[] = {
        {"b", kBold}, {"i", kItalic}, {"ul", kUnderline}, {"strike", kStrike}, {"super", kSuperscript},
        {"sub", kSubscript}, {"v", kHidden}, {kMarkStyle, kMarked}, {kLinkWord, ks::editor::kLinkText}};
    for (auto& [word, bit] : toggles)
        if (w == word) {
            setBit(c.style, bit, on(hasParam, param));
            return true;
        }
    if (w == "plain")
        c = CharState{};
    else if (w == "f")
        c.face = clampInt(param, 0, 0xFFFF);
    else if (w == "fs")
        c.halfPoints = clampInt(param, 2, 3276);
    else if (w == "ulnone")
        c.style &= ~kUnderline;
    else if (w == "nosupersub")
        c.style &= ~(kSuperscript | kSubscript);
    else if (w == "cf")
        c.colour = clampInt(param, 0, 0xFFFF);
    else if (w == kColour2)
        c.colour2 = static_cast<std::uint32_t>(clampInt(param, 0, 0xFFFFFF));
    else if (w == kUserId)
        c.userId = clampInt(param, INT32_MIN, INT32_MAX);
    else if (w == kSizeTag)
        c.tag = clampInt(param, INT32_MIN, INT32_MAX);
    else
        return false;
    return true;
}

bool RtfParser::paragraphWord(std::string_view w, bool hasParam, long long param)
{
    ParaState& p = top().para;
    ParaFormat& f = p.format;
    int v = clampInt(param, -0x7FFFFFF, 0x7FFFFFF);
    static const std::pair<std::string_view, int> aligns[] = {
        {"qc", kAlignCentre}, {"qr", kAlignRight}, {"qj", kAlignJustify}, {"ql", 0}};
    for (auto& [word, bit] : aligns)
        if (w == word) {
            p.align = bit;
            return true;
        }
    static const std::pair<std::string_view, int> borders[] = {
        {"brdrt", kBorderTop}, {"brdrb", kBorderBottom}, {"brdrl", kBorderLeft}, {"brdrr", kBorderRight}};
    for (auto& [word, bit] : borders)
        if (w == word) {
            p.borders |= bit;
            borderTarget_ = 4;
            return true;
        }
    static const std::pair<std::string_view, int ParaFormat::*> values[] = {
        {"li", &ParaFormat::leftIndent}, {"ri", &ParaFormat::rightIndent}, {"fi", &ParaFormat::firstIndent},
        {"sb", &ParaFormat::spaceBefore}, {"sa", &ParaFormat::spaceAfter}, {"sl", &ParaFormat::lineValue},
        {kTypeWord, &ParaFormat::typeWord}, {kOpaque4, &ParaFormat::opaque4}, {kOpaque5, &ParaFormat::opaque5},
        {kRuleValue, &ParaFormat::ruleValue}, {kStyleFlags, &ParaFormat::styleFlags},
        {kLineValue, &ParaFormat::lineValue}, {kRuleWord, &ParaFormat::ruleWord}};
    for (auto& [word, field] : values)
        if (w == word) {
            f.*field = v;
            return true;
        }
    static const std::pair<std::string_view, int> numbering[] = {
        {"pndec", 0}, {"pnucltr", 1}, {"pnlcltr", 2}, {"pnucrm", 3}, {"pnlcrm", 4}};
    for (auto& [word, style] : numbering)
        if (w == word) {
            p.list.style = style;
            return true;
        }
    if (w == "pard") {
        p = ParaState{};
    } else if (w == "intbl") {
        p.depth = std::max(p.depth, 1);
    } else if (w == "itap") {
        p.depth = clampInt(param, 0, kMaxDepth);
    } else if (w == kParaFlags) {
        f.flags = v;
        p.exactFlags = true;
    } else if (w == kParaBackground) {
        f.background = static_cast<std::uint32_t>(clampInt(param, 0, 0xFFFFFF));
    } else if (w == "cbpat") {
        if (param > 0)
            f.background = colourAt(param);
    } else if (w == "ls") {
        p.numbered = true;
        int level = p.list.level;
        auto it = listsByLs_.find(clampInt(param, 0, 32767));
        p.list = it == listsByLs_.end() ? ListFormat{0, 1, 0, 0} : it->second;
        p.list.level = level;
    } else if (w == "ilvl") {
        p.list.level = clampInt(param, 0, 9);
    } else if (w == "pnlvlblt") {
        p.numbered = true;
        p.list.bullet = 1;
    } else if (w == "pnlvlbody" || w == "pnlvlcont") {
        p.numbered = true;
        p.list.bullet = 0;
    } else if (w == "pnlvl") {
        p.numbered = true;
        p.list.level = clampInt(param, 0, 9);
    } else if (w == "pnstart" || w == kListStart) {
        p.list.start = clampInt(param, 0, 32767);
    } else if (w == kListBullet) {
        p.list.bullet = param ? 1 : 0;
    } else if (w == kListLevel) {
        p.list.level = clampInt(param, 0, 9);
    } else if (w == kListStyle) {
        p.list.style = clampInt(param, 0, 4);
    } else {
        return false;
    }
    (void)hasParam;
    return true;
}

bool RtfParser::tableWord(std::string_view w, bool, long long param)
{
    int v = clampInt(param, -0x7FFFFFF, 0x7FFFFFF);
    Cell& c = pendingCell_;
    if (w == "trowd") {
        rowDefDepth_ = top().nestProps ? std::max(2, top().para.depth) : 1;
        ensureDepth(rowDefDepth_);
        rowDefs_[rowDefDepth_] = RowDef{};
        c = Cell{};
        pendingWidth_ = false;
        pendingBorder_ = 0;
        lastCellX_ = 0;
        return true;
    }
    ensureDepth(rowDefDepth_);
    RowDef& row = rowDefs_[rowDefDepth_];
    static const std::string_view cellSides[4] = {"clbrdrl", "clbrdrt", "clbrdrr", "clbrdrb"};
    for (int i = 0; i < 4; ++i)
        if (w == cellSides[i]) {
            borderTarget_ = i;
            return true;
        }
    if (w == "trleft" || w == kTableIndent) {
        row.indent = v;
        if (w == "trleft")
            lastCellX_ = v;
    } else if (w == "trqc") {
        row.alignment = kAlignCentre;
    } else if (w == "trqr") {
        row.alignment = kAlignRight;
    } else if (w == "trrh") {
        row.height = std::abs(v);
    } else if (w == kTableWidth) {
        row.width = v;
    } else if (w == kTableAlign) {
        row.alignment = v;
    } else if (w == kTableColumns) {
        row.columns = std::max(0, v);
    } else if (w == "clvmgf") {
        c.rowSpan = 2;
    } else if (w == "clvmrg") {
        c.rowSpan = 0;
    } else if (w == "clmgf") {
        c.colSpan = std::max(2, c.colSpan);
    } else if (w == "clmrg") {
        c.colSpan = 0;   // covered by the cell before it
    } else if (w == "clvertalc") {
        c.flags |= kCellMiddle;
    } else if (w == "clvertalb") {
        c.flags |= kCellBottom;
    } else if (w == "brdrw") {
        if (borderTarget_ >= 0 && borderTarget_ < 4)
            c.borders[borderTarget_] = std::max(0, v);
    } else if (w == "clcbpat") {
        c.colour = colourAt(param);
    } else if (w == kCellWidth) {
        c.width = v;
        pendingWidth_ = true;
    } else if (w == kCellHeight) {
        c.height = std::max(0, v);
    } else if (w == kRowSpan) {
        c.rowSpan = std::clamp(v, 0, 300);
    } else if (w == kColSpan) {
        c.colSpan = std::clamp(v, 0, 300);
    } else if (w == kCellFlags) {
        c.flags = v;
    } else if (w == kCellAlign) {
        c.alignment = v;
    } else if (w == kCellColour) {
        c.colour = static_cast<std::uint32_t>(std::clamp(v, 0, 0xFFFFFF));
    } else if (w == kCellPadding) {
        c.padding = v < 0 ? -1 : v;
    } else if (w == kBorder) {
        if (pendingBorder_ < 4)
            c.borders[pendingBorder_++] = std::max(0, v);
    } else if (w == "cellx") {
        if (!pendingWidth_)
            c.width = std::max(0, v - lastCellX_);
        lastCellX_ = v;
        if (row.cells.size() < 300)
            row.cells.push_back(c);
        c = Cell{};
        pendingWidth_ = false;
        pendingBorder_ = 0;
    } else {
        return false;
    }
    return true;
}

// A picture's bytes as hex digits; anything else between them (blanks) is passed over.
void RtfParser::pictureHex(std::string_view digits)
{
    for (char c : digits) {
        int v = hexValue(c);
        if (v < 0)
            continue;
        if (picture_.data.size() >= kMaxPicture) {
            damaged_ = true;
            return;
        }
        if (picture_.nibble < 0) {
            picture_.nibble = v;
        } else {
            picture_.data.push_back(static_cast<char>(picture_.nibble << 4 | v));
            picture_.nibble = -1;
        }
    }
}

void RtfParser::textRun(std::string_view run)
{
    if (top().dest == Dest::Pict && skipChars_ == 0) {
        pictureHex(run);
        return;
    }
    if (top().dest != Dest::Text || skipChars_ > 0) {
        for (char c : run)
            text(c);
        return;
    }
    // The common case, plain text into the document: one font lookup for the run, and the
    // run appended whole unless it holds one of our stream's own control characters.
    auto font = static_cast<std::uint16_t>(fontId());
    if (std::none_of(run.begin(), run.end(), streamControl)) {
        piece_.append(run);
        pieceFonts_.insert(pieceFonts_.end(), run.size(), font);
        return;
    }
    for (char c : run)
        if (!streamControl(c)) {
            piece_.push_back(c);
            pieceFonts_.push_back(font);
        }
}

void RtfParser::text(char c)
{
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }
    textByte(c);
}

void RtfParser::textByte(char c)
{
    switch (top().dest) {
    case Dest::Text:
        if (streamControl(c))
            return;
        piece_.push_back(c);
        pieceFonts_.push_back(static_cast<std::uint16_t>(fontId()));
        return;
    case Dest::FontTable:
        if (c == ';') {
            auto first = fontName_.find_first_not_of(' ');
            faces_[fontTableIndex_] = first == std::string::npos ? "" : clampFace(fontName_.substr(first));
            fontName_.clear();
            forgetFonts();
        } else if (fontName_.size() < 64) {
            fontName_.push_back(c);
        }
        return;
    case Dest::ColourTable:
        if (c == ';') {
            colours_.push_back(red_ | green_ << 8 | blue_ << 16);
            red_ = green_ = blue_ = 0;
            forgetFonts();
        }
        return;
    case Dest::Pict:
        pictureHex(std::string_view(&c, 1));
        return;
    case Dest::PictName:
    case Dest::FieldInst:
    case Dest::Control:
        if (destText_.size() < kMaxDestText)
            destText_.push_back(c);
        return;
    default:
        return;
    }
}

std::uint32_t RtfParser::colourAt(long long index) const
{
    return index >= 0 && index < static_cast<long long>(colours_.size()) ? colours_[index] : kAutoColour;
}

int RtfParser::fontId()
{
    const CharState& s = top().chars;
    if (cachedFont_ >= 0 && s == cachedState_)
        return cachedFont_;
    if (auto known = fontIds_.find(s); known != fontIds_.end()) {
        cachedState_ = s;
        cachedFont_ = known->second;
        return cachedFont_;
    }
    const FontEntry& font0 = *e_.fonts.get(0);
    FontEntry f;
    auto face = faces_.find(s.face);
    f.face = face != faces_.end() && !face->second.empty() ? face->second : font0.face;
    f.points = s.halfPoints ? std::max(1, s.halfPoints / 2) : font0.points;
    f.style = s.style;
    f.colour = colourAt(s.colour);
    f.colour2 = s.colour2;
    f.userId = s.userId;
    f.tag = s.tag;
    f.field = s.field;
    int id = e_.fonts.share(f);
    cachedState_ = s;
    cachedFont_ = id < 0 ? 0 : id;
    fontIds_.emplace(s, cachedFont_);
    return cachedFont_;
}

// A face or colour defined anew changes what a character state's numbers stand for.
void RtfParser::forgetFonts()
{
    fontIds_.clear();
    cachedFont_ = -1;
}

int RtfParser::formatId(const ParaState& p)
{
    ParaFormat f = p.format;
    if (!p.exactFlags)
        f.flags = p.align | p.borders | (p.numbered ? kListNumbered : 0);
    f.listFormat = 0;
    if (f.flags & kListNumbered) {
        ListFormat l = p.list;
        l.bullet = l.bullet ? 1 : 0;
        l.style = std::clamp(l.style, 0, l.bullet ? 2 : 4);
        f.listFormat = e_.lists.intern(l);
    }
    return e_.formats.intern(f);
}

void RtfParser::ensureDepth(int depth)
{
    depth = std::clamp(depth, 0, kMaxDepth);
    if (static_cast<int>(rows_.size()) < depth) {
        rows_.resize(depth);
        cells_.resize(depth);
    }
    if (static_cast<int>(rowDefs_.size()) <= depth)
        rowDefs_.resize(depth + 1);
}

CellData& RtfParser::cellAt(int depth)
{
    ensureDepth(depth);
    return cells_[depth - 1];
}

void RtfParser::endPiece(char mark, int depth)
{
    depth = std::clamp(depth, 0, kMaxDepth);
    if (mark) {
        piece_.push_back(mark);
        pieceFonts_.push_back(static_cast<std::uint16_t>(fontId()));
    }
    if (piece_.empty())
        return;
    closeDeeperThan(depth);
    int format = formatId(top().para);
    if (depth == 0) {
        outerPrevious_ = 0;
        e_.doc.append(piece_, pieceFonts_.data(), {format, 0});
    } else {
        cellAt(depth).items.push_back(Item{std::move(piece_), std::move(pieceFonts_), format, nullptr});
    }
    piece_.clear();
    pieceFonts_.clear();
}

void RtfParser::endCell(int depth)
{
    depth = std::clamp(depth, 1, kMaxDepth);
    endPiece(kCellEnd, depth);
    ensureDepth(depth);
    rows_[depth - 1].cells.push_back(std::move(cells_[depth - 1]));
    cells_[depth - 1] = {};
}

void RtfParser::endRow(int depth)
{
    depth = std::clamp(depth, 1, kMaxDepth);
    ensureDepth(depth);
    if (!piece_.empty())
        endCell(depth);
    closeDeeperThan(depth);
    if (!cells_[depth - 1].items.empty()) {
        rows_[depth - 1].cells.push_back(std::move(cells_[depth - 1]));
        cells_[depth - 1] = {};
    }
    RowData row = std::move(rows_[depth - 1]);
    rows_[depth - 1] = {};
    row.def = rowDefs_[depth];
    row.endFormat = formatId(top().para);
    if (row.cells.empty())
        return;
    if (depth == 1)
        placeRow(e_, row, 0, outerPrevious_);
    else
        cellAt(depth - 1).items.push_back(Item{{}, {}, 0, std::make_unique<RowData>(std::move(row))});
}

void RtfParser::closeDeeperThan(int depth)
{
    // Rows a file left open (no \row) are ended as they stand.
    for (int d = static_cast<int>(rows_.size()); d > depth; --d)
        if (!rows_[d - 1].cells.empty() || !cells_[d - 1].items.empty())
            endRow(d);
}

void RtfParser::placeObject(int id)
{
    piece_.push_back(kObjectChar);
    pieceFonts_.push_back(static_cast<std::uint16_t>(id));
}

void RtfParser::finishPicture()
{
    PictureState p = std::move(picture_);
    picture_ = {};
    int w = 0, h = 0;
    if (p.format == ObjectData::Format::None || !probePicture(p.format, p.data, w, h))
        return;   // a kind we do not keep, or damaged bytes: the picture is left out
    if (p.goalWidth > 0 && p.goalHeight > 0) {
        w = std::max(1, p.goalWidth / kTwipsPerPixel);
        h = std::max(1, p.goalHeight / kTwipsPerPixel);
    } else if (p.format == ObjectData::Format::Wmf && p.width > 0 && p.height > 0) {
        w = p.width;
        h = p.height;
    }
    ObjectData o;
    o.format = p.format;
    o.data = std::move(p.data);
    o.rect = {0, 0, w, h};
    o.aux = p.aux;
    o.verticalAlign = p.valign;
    o.floatSide = p.floatSide;
    o.fileName = p.name;
    int id = e_.newObject(std::move(o), p.link ? ks::editor::kLinkText : 0);
    if (id > 0)
        placeObject(id);
}

void RtfParser::finishFieldInstruction(Group& field)
{
    std::string kind, argument;
    splitInstruction(destText_, kind, argument);
    if (kind == "MERGEFIELD" && !argument.empty()) {
        field.fieldInstruction = argument;
        return;
    }
    if (kind != "INCLUDEPICTURE" || argument.empty())
        return;
    std::string path = argument.front() == '/' || folder_.empty() ? argument : folder_ + argument;
    int id = 0;
    using F = ObjectData::Format;
    F format = endsWith(path, ".png") ? F::Png : endsWith(path, ".bmp") ? F::Bmp : endsWith(path, ".wmf") ? F::Wmf : F::None;
    std::string bytes;
    int w, h;
    if (format != F::None) {
        if (ks::files::readFile(path, bytes) && probePicture(format, bytes, w, h)) {
            ObjectData o;
            o.format = format;
            o.data = std::move(bytes);
            o.rect = {0, 0, w, h};
            o.fileName = argument;
            id = e_.newObject(std::move(o));
        }
    } else {
        // A picture kind the editor cannot decode: the add-on may hand back a DIB.
        auto block = reinterpret_cast<HGLOBAL>(e_.raise(kEventPictureNeeded, 0, reinterpret_cast<LPARAM>(path.c_str())));
        if (const char* dib = block ? static_cast<const char*>(GlobalLock(block)) : nullptr) {
            bytes.assign(dib, GlobalSize(block));
            GlobalUnlock(block);
            GlobalFree(block);
            if (probePicture(F::Dib, bytes, w, h)) {
                ObjectData o;
                o.format = F::Dib;
                o.data = std::move(bytes);
                o.rect = {0, 0, w, h};
                o.fileName = argument;
                id = e_.newObject(std::move(o));
                if (id > 0)
                    e_.raise(kEventPictureMade, 0, id);
            }
        }
    }
    if (id > 0) {
        placeObject(id);
        field.skipResult = true;
    }
}

void RtfParser::finishControl(const std::string& description)
{
    char className[64] = {};
    unsigned style = 0;
    int w = 0, h = 0, controlId = 0;
    if (std::sscanf(description.c_str(), "%63s %u %d %d %d", className, &style, &w, &h, &controlId) != 5)
        return;
    int id = EditorInsertControl(e_.self, className, style, w * kTwipsPerPixel, h * kTwipsPerPixel, 1, controlId, 0);
    if (id > 0)
        placeObject(id);
}

}
