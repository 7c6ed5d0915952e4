// The tokenizer and the parser's running state: groups, text into the paragraph being read,
// and the font and paragraph formats that text is given.
#include "platform/editor/rtf/rtf_parser.h"

#include "platform/editor/rtf/rtf_parse_helpers.h"

#include <algorithm>
#include <array>

namespace ks::editor::rtf {
namespace {

// Bounds that keep a hostile file from exhausting the stack or memory.
constexpr std::size_t kMaxGroups = 2000;
constexpr std::size_t kMaxDestText = 4096;

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

}

bool RtfParser::parse(std::string_view in)
{
    e_.resetDocument();
    e_.doc.clear();
    stack_.assign(1, Group{});
    colours_.assign(1, kAutoColour);
    for (std::size_t i = 0; i < in.size();)
        i = token(in, i);
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

// Reads the token at i (a group's edge, a stretch of text, a control word or symbol) and
// returns where the next one starts.
std::size_t RtfParser::token(std::string_view in, std::size_t i)
{
    char c = in[i];
    if (c == '{') {
        open();
    } else if (c == '}') {
        close();
    } else if (c != '\\' && c != '\r' && c != '\n') {
        std::size_t j = i;
        while (j < in.size() && !endsText(in[j]))
            ++j;
        textRun(in.substr(i, j - i));
        return j;
    } else if (c == '\\') {
        if (i + 1 >= in.size()) {
            damaged_ = true;
            return in.size();
        }
        return isLetter(in[i + 1]) ? wordAt(in, i + 1) : symbolAt(in, i + 1);
    }
    return i + 1;
}

// A control word: up to 32 letters, an optional signed number (ten digits kept), and one
// blank that belongs to it.
std::size_t RtfParser::wordAt(std::string_view in, std::size_t i)
{
    std::size_t start = i, n = in.size();
    while (i < n && i - start < 32 && isLetter(in[i]))
        ++i;
    std::string_view word = in.substr(start, i - start);
    Param param;
    bool negative = i + 1 < n && in[i] == '-' && isDigit(in[i + 1]);
    if (negative)
        ++i;
    for (int digits = 0; i < n && isDigit(in[i]); ++i, ++digits)
        if (digits < 10) {
            param.value = param.value * 10 + (in[i] - '0');
            param.given = true;
        }
    if (negative)
        param.value = -param.value;
    if (i < n && in[i] == ' ')
        ++i;
    if (word == "bin") {
        // Binary data: skipped, never read as text.
        std::size_t skip = param.given && param.value > 0 ? static_cast<std::size_t>(param.value) : 0;
        return i + std::min(skip, n - i);
    }
    if (starred_) {
        starred_ = false;
        starredWord(word);
    } else {
        controlWord(word, param);
    }
    return i;
}

// A control symbol: a hex byte, "\*" before a destination, an escaped brace or backslash,
// a non-breaking space or hyphen; a backslash before a line end ends the paragraph.
std::size_t RtfParser::symbolAt(std::string_view in, std::size_t i)
{
    char s = in[i++];
    if (s == '\'') {
        int hi = i < in.size() ? hexValue(in[i]) : -1, lo = i + 1 < in.size() ? hexValue(in[i + 1]) : -1;
        if (hi < 0 || lo < 0) {
            damaged_ = true;
            return i;
        }
        text(static_cast<char>(hi * 16 + lo));
        return i + 2;
    }
    if (s == '*')
        starred_ = true;
    else if (s == '\r' || s == '\n')
        controlWord("par", {});
    else if (s == '\\' || s == '{' || s == '}')
        text(s);
    else if (s == '~')
        text(kNoBreakSpace);
    else if (s == '_')
        text('-');
    return i;
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

}
