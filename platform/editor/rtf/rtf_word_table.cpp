// The reader's word table: which handler takes each control word, in the text and in each
// destination that has words of its own. Each table is sorted by word (checked when this
// file compiles), and a word is found by binary search.
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"
#include "platform/editor/rtf/rtf_words.h"
#include "platform/editor/vek32.h"

#include <span>

namespace ks::editor::rtf {

struct WordEntry {
    std::string_view word;
    void (RtfParser::*handler)(std::uint32_t arg, Param);
    std::uint32_t arg = 0;
    bool destination = false;   // may follow "\*": a destination we read
};

namespace {

constexpr std::uint32_t ch(char c) { return static_cast<unsigned char>(c); }

constexpr bool sortedAndUnique(std::span<const WordEntry> table)
{
    for (std::size_t i = 1; i < table.size(); ++i)
        if (!(table[i - 1].word < table[i].word))
            return false;
    return true;
}

const WordEntry* find(std::span<const WordEntry> table, std::string_view word)
{
    auto it = std::lower_bound(table.begin(), table.end(), word,
                               [](const WordEntry& e, std::string_view w) { return e.word < w; });
    return it != table.end() && it->word == word ? &*it : nullptr;
}

}

// A friend of the parser, so that the tables can name its handlers.
struct WordTable {
    // The document's text, and inside "\pn". The destinations are here too: they may start
    // a group anywhere words are read.
    static constexpr WordEntry kText[] = {
        {"annotation", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"atnid", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"b", &RtfParser::styleToggle, kBold},
        {"brdrb", &RtfParser::paraBorder, kBorderBottom},
        {"brdrl", &RtfParser::paraBorder, kBorderLeft},
        {"brdrr", &RtfParser::paraBorder, kBorderRight},
        {"brdrt", &RtfParser::paraBorder, kBorderTop},
        {"brdrw", &RtfParser::cellBorderWidth, 0},
        {"bullet", &RtfParser::character, ch('\x95')},
        {"cbpat", &RtfParser::paraColour, 0},
        {"cell", &RtfParser::cellText, 0},
        {"cellx", &RtfParser::cellBoundary, 0},
        {"cf", &RtfParser::charNumber, CharNumber::Colour},
        {"clbrdrb", &RtfParser::cellSide, 3},
        {"clbrdrl", &RtfParser::cellSide, 0},
        {"clbrdrr", &RtfParser::cellSide, 2},
        {"clbrdrt", &RtfParser::cellSide, 1},
        {"clcbpat", &RtfParser::cellShading, 0},
        {"clmgf", &RtfParser::cellMergeFirst, 0},
        {"clmrg", &RtfParser::cellMerged, 0},
        {"clvertalb", &RtfParser::cellFlag, kCellBottom},
        {"clvertalc", &RtfParser::cellFlag, kCellMiddle},
        {"clvmgf", &RtfParser::cellRowSpan, 2},
        {"clvmrg", &RtfParser::cellRowSpan, 0},
        {"colorschememapping", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"colortbl", &RtfParser::colourTable, 0, true},
        {"column", &RtfParser::character, ch(kColumnBreak)},
        {"datastore", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"docvar", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"emdash", &RtfParser::character, ch('\x97')},
        {"emspace", &RtfParser::character, ch(' ')},
        {"endash", &RtfParser::character, ch('\x96')},
        {"enspace", &RtfParser::character, ch(' ')},
        {"f", &RtfParser::charNumber, CharNumber::Face},
        {"fi", &RtfParser::paraNumber, ParaNumber::FirstIndent},
        {"field", &RtfParser::field, 0, true},
        {"filetbl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"fldinst", &RtfParser::enterTextDestination, std::uint32_t(Dest::FieldInst), true},
        {"fldrslt", &RtfParser::fieldResult, 0, true},
        {"fonttbl", &RtfParser::enterDestination, std::uint32_t(Dest::FontTable), true},
        {"footer", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"footerf", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"footerl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"footerr", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"footnote", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"fs", &RtfParser::charNumber, CharNumber::HalfPoints},
        {"generator", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"header", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"headerf", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"headerl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"headerr", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"i", &RtfParser::styleToggle, kItalic},
        {"ilvl", &RtfParser::paraListLevel, 0},
        {"info", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"intbl", &RtfParser::inTable, 0},
        {"itap", &RtfParser::tableDepth, 0},
        {"latentstyles", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"ldblquote", &RtfParser::character, ch('\x93')},
        {"li", &RtfParser::paraNumber, ParaNumber::LeftIndent},
        {"line", &RtfParser::character, ch(kLineBreak)},
        {"listoverridetable", &RtfParser::enterDestination, std::uint32_t(Dest::ListOverrides), true},
        {"listtable", &RtfParser::enterDestination, std::uint32_t(Dest::ListTable), true},
        {"listtext", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"lquote", &RtfParser::character, ch('\x91')},
        {"ls", &RtfParser::paraList, 0},
        {"nestcell", &RtfParser::cellText, 1},
        {"nestrow", &RtfParser::rowText, 1},
        {"nesttableprops", &RtfParser::nestTableProps, 0, true},
        {"nonesttables", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"nonshppict", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"nosupersub", &RtfParser::styleOff, kSuperscript | kSubscript},
        {"object", &RtfParser::holder, 0},
        {"page", &RtfParser::character, ch(kPageBreak)},
        {"par", &RtfParser::paragraphEnd, 0},
        {"pard", &RtfParser::pard, 0},
        {"pict", &RtfParser::picture, 0, true},
        {"plain", &RtfParser::plain, 0},
        {"pn", &RtfParser::enterDestination, std::uint32_t(Dest::ListProps), true},
        {"pndec", &RtfParser::numberStyle, 0},
        {"pnlcltr", &RtfParser::numberStyle, 2},
        {"pnlcrm", &RtfParser::numberStyle, 4},
        {"pnlvl", &RtfParser::paraListLevel, 1},
        {"pnlvlblt", &RtfParser::paraBullet, 1},
        {"pnlvlbody", &RtfParser::paraBullet, 0},
        {"pnlvlcont", &RtfParser::paraBullet, 0},
        {"pnstart", &RtfParser::paraListStart, 0},
        {"pntext", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"pnucltr", &RtfParser::numberStyle, 1},
        {"pnucrm", &RtfParser::numberStyle, 3},
        {"private", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"qc", &RtfParser::paraAlign, kAlignCentre},
        {"qj", &RtfParser::paraAlign, kAlignJustify},
        {"ql", &RtfParser::paraAlign, 0},
        {"qmspace", &RtfParser::character, ch(' ')},
        {"qr", &RtfParser::paraAlign, kAlignRight},
        {"rdblquote", &RtfParser::character, ch('\x94')},
        {"result", &RtfParser::holder, 0},
        {"revtbl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"ri", &RtfParser::paraNumber, ParaNumber::RightIndent},
        {"row", &RtfParser::rowText, 0},
        {"rquote", &RtfParser::character, ch('\x92')},
        {"rsidtbl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"sa", &RtfParser::paraNumber, ParaNumber::SpaceAfter},
        {"sb", &RtfParser::paraNumber, ParaNumber::SpaceBefore},
        {"sect", &RtfParser::character, ch(kSectionBreak)},
        {"shppict", &RtfParser::holder, 0},
        {"sl", &RtfParser::paraNumber, ParaNumber::LineValue},
        {"strike", &RtfParser::styleToggle, kStrike},
        {"stylesheet", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"sub", &RtfParser::styleToggle, kSubscript},
        {"super", &RtfParser::styleToggle, kSuperscript},
        {"tab", &RtfParser::character, ch('\t')},
        {"tc", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"template", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"themedata", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"trleft", &RtfParser::rowIndent, 1},
        {"trowd", &RtfParser::rowStart, 0},
        {"trqc", &RtfParser::rowAlign, kAlignCentre},
        {"trqr", &RtfParser::rowAlign, kAlignRight},
        {"trrh", &RtfParser::rowNumber, RowNumber::Height},
        {"txe", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"u", &RtfParser::unicode, 0},
        {"uc", &RtfParser::unicodeSkip, 0},
        {"ul", &RtfParser::styleToggle, kUnderline},
        {"ulnone", &RtfParser::styleOff, kUnderline},
        {"userprops", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"v", &RtfParser::styleToggle, kHidden},
        {kBorder, &RtfParser::cellBorder, 0},
        {kParaBackground, &RtfParser::paraBackground, 0},
        {kCellAlign, &RtfParser::cellNumber, CellNumber::Alignment},
        {kCellColour, &RtfParser::cellNumber, CellNumber::Colour},
        {kCellFlags, &RtfParser::cellNumber, CellNumber::Flags},
        {kCellHeight, &RtfParser::cellNumber, CellNumber::Height},
        {kColour2, &RtfParser::charNumber, CharNumber::SecondColour},
        {kCellPadding, &RtfParser::cellNumber, CellNumber::Padding},
        {kColSpan, &RtfParser::cellNumber, CellNumber::ColSpan},
        {kControl, &RtfParser::enterTextDestination, std::uint32_t(Dest::Control), true},
        {kCellWidth, &RtfParser::cellNumber, CellNumber::Width},
        {kListBullet, &RtfParser::paraListBullet, 0},
        {kLinkWord, &RtfParser::styleToggle, kLinkText},
        {kListLevel, &RtfParser::paraListLevel, 0},
        {kListStart, &RtfParser::paraListStart, 0},
        {kListStyle, &RtfParser::paraListStyle, 0},
        {kLineValue, &RtfParser::paraNumber, ParaNumber::LineValue},
        {kMarkStyle, &RtfParser::styleToggle, kMarked},
        {kOpaque4, &RtfParser::paraNumber, ParaNumber::Opaque4},
        {kOpaque5, &RtfParser::paraNumber, ParaNumber::Opaque5},
        {kParaFlags, &RtfParser::paraFlags, 0},
        {kPictureName, &RtfParser::enterTextDestination, std::uint32_t(Dest::PictName), true},
        {kTypeWord, &RtfParser::paraNumber, ParaNumber::TypeWord},
        {kRowSpan, &RtfParser::cellNumber, CellNumber::RowSpan},
        {kRuleValue, &RtfParser::paraNumber, ParaNumber::RuleValue},
        {kRuleWord, &RtfParser::paraNumber, ParaNumber::RuleWord},
        {kStyleFlags, &RtfParser::paraNumber, ParaNumber::StyleFlags},
        {kTableAlign, &RtfParser::rowNumber, RowNumber::Alignment},
        {kSizeTag, &RtfParser::charNumber, CharNumber::SizeTag},
        {kTableColumns, &RtfParser::rowNumber, RowNumber::Columns},
        {kTableIndent, &RtfParser::rowIndent, 0},
        {kTableWidth, &RtfParser::rowNumber, RowNumber::Width},
        {kUserId, &RtfParser::charNumber, CharNumber::UserId},
        {"xe", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
        {"xmlnstbl", &RtfParser::enterDestination, std::uint32_t(Dest::Skip), true},
    };
    static constexpr WordEntry kFontTable[] = {
        {"f", &RtfParser::fontTableEntry},
    };
    static constexpr WordEntry kColourTable[] = {
        {"blue", &RtfParser::colourPart, 2},
        {"green", &RtfParser::colourPart, 1},
        {"red", &RtfParser::colourPart, 0},
    };
    static constexpr WordEntry kPicture[] = {
        {"dibitmap", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::Dib)},
        {"emfblip", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::None)},
        {"jpegblip", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::None)},
        {"macpict", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::None)},
        {"pich", &RtfParser::pictureNumber, PictureNumber::Height},
        {"pichgoal", &RtfParser::pictureNumber, PictureNumber::GoalHeight},
        {"picw", &RtfParser::pictureNumber, PictureNumber::Width},
        {"picwgoal", &RtfParser::pictureNumber, PictureNumber::GoalWidth},
        {"pngblip", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::Png)},
        {kPictureAux, &RtfParser::pictureNumber, PictureNumber::Aux},
        {kPictureFloat, &RtfParser::pictureNumber, PictureNumber::FloatSide},
        {kPictureLink, &RtfParser::pictureLink},
        {kPictureValign, &RtfParser::pictureNumber, PictureNumber::Valign},
        {"wbitmap", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::None)},
        {"wmetafile", &RtfParser::pictureFormat, std::uint32_t(ObjectData::Format::Wmf)},
    };
    static constexpr WordEntry kListTable[] = {
        {"levelnfc", &RtfParser::listNumbering},
        {"levelstartat", &RtfParser::listStartAt},
        {"list", &RtfParser::listDefinition},
        {"listid", &RtfParser::listId},
        {"listlevel", &RtfParser::listLevel},
    };
    static constexpr WordEntry kListOverrides[] = {
        {"listid", &RtfParser::overrideListId},
        {"ls", &RtfParser::overrideNumber},
    };

    static const WordEntry* destination(std::string_view word)
    {
        const WordEntry* e = find(kText, word);
        return e && e->destination ? e : nullptr;
    }

    // The entry for word where dest reads words: the font table and pictures also let a
    // destination start inside them; text destinations and skipped groups read none.
    static const WordEntry* lookup(Dest dest, std::string_view word)
    {
        switch (dest) {
        case Dest::Text:
        case Dest::ListProps: return find(kText, word);
        case Dest::FontTable: if (auto* e = find(kFontTable, word)) return e; return destination(word);
        case Dest::Pict: if (auto* e = find(kPicture, word)) return e; return destination(word);
        case Dest::ColourTable: return find(kColourTable, word);
        case Dest::ListTable: return find(kListTable, word);
        case Dest::ListOverrides: return find(kListOverrides, word);
        default: return nullptr;
        }
    }
};

static_assert(sortedAndUnique(WordTable::kText) && sortedAndUnique(WordTable::kFontTable) &&
              sortedAndUnique(WordTable::kColourTable) && sortedAndUnique(WordTable::kPicture) &&
              sortedAndUnique(WordTable::kListTable) && sortedAndUnique(WordTable::kListOverrides));

void RtfParser::controlWord(std::string_view word, Param param)
{
    if (const WordEntry* e = WordTable::lookup(top().dest, word))
        (this->*e->handler)(e->arg, param);
}

// After "\*" a word we do not read as a destination skips its group, whatever it holds.
void RtfParser::starredWord(std::string_view word)
{
    if (top().dest == Dest::Skip)
        return;
    if (const WordEntry* e = WordTable::destination(word))
        (this->*e->handler)(e->arg, {});
    else
        top().dest = Dest::Skip;
}

}
