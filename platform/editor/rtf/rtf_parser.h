#pragma once
// The RTF state machine behind readRtf: groups with their character and
// paragraph state, destinations, and the collection of text into the document.
#include "platform/editor/rtf/rtf_tables.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ks::editor::rtf {

enum class Dest { Text, Skip, FontTable, ColourTable, Pict, PictName, FieldInst, Control, ListTable, ListOverrides, ListProps };

struct CharState {
    int face = 0;          // \f index
    int halfPoints = 0;    // 0: font 0's size
    std::uint32_t style = 0;
    int colour = 0;        // colour table index, 0 auto
    std::uint32_t colour2 = kNoColour;
    int userId = 0, tag = 0, field = 0;
    bool operator==(const CharState&) const = default;
};

struct CharStateHash {
    std::size_t operator()(const CharState& s) const
    {
        std::uint64_t h = 0;
        for (std::uint64_t v : {std::uint64_t(s.face), std::uint64_t(s.halfPoints), std::uint64_t(s.style),
                                std::uint64_t(s.colour), std::uint64_t(s.colour2), std::uint64_t(s.userId),
                                std::uint64_t(s.tag), std::uint64_t(s.field)})
            h = (h ^ v) * 0x100000001B3ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

struct ParaState {
    ParaFormat format;
    int depth = 0;              // table nesting of the paragraph
    bool exactFlags = false;    // our own file gave the flags word
    int align = 0, borders = 0;
    bool numbered = false;
    ListFormat list{0, 1, 0, 0};
};

struct Group {
    Dest dest = Dest::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
    std::string fieldInstruction;   // \field: the instruction once read
    bool skipResult = false;        // \field: its result is replaced (a linked picture)
    bool nestProps = false;         // inside \nesttableprops
};

struct PictureState {
    ObjectData::Format format = ObjectData::Format::None;
    std::string data;
    int nibble = -1;
    int width = 0, height = 0, goalWidth = 0, goalHeight = 0;
    int aux = 0, valign = 0, floatSide = 0;
    bool link = false;
    std::string name;
};

// A control word's numeric parameter, when it has one.
struct Param {
    long long value = 0;
    bool given = false;
};

class RtfParser {
public:
    RtfParser(Editor& e, std::string folder) : e_(e), folder_(std::move(folder)) {}
    // False when the file was damaged.
    bool parse(std::string_view bytes);

private:
    friend struct WordTable;
    Group& top() { return stack_.back(); }
    std::size_t token(std::string_view in, std::size_t i);
    std::size_t wordAt(std::string_view in, std::size_t i);
    std::size_t symbolAt(std::string_view in, std::size_t i);
    void open();
    void close();
    void controlWord(std::string_view word, Param param);
    void starredWord(std::string_view word);
    void text(char c);
    void textRun(std::string_view run);
    void pictureHex(std::string_view digits);
    void textByte(char c);
    void endPiece(char mark, int depth);
    void endCell(int depth);
    void endRow(int depth);
    void ensureDepth(int depth);
    std::uint32_t colourAt(long long index) const;
    void closeDeeperThan(int depth);
    int fontId();
    void forgetFonts();
    int formatId(const ParaState& p);
    void finishPicture();
    void finishFieldInstruction(Group& field);
    void finishControl(const std::string& description);
    void placeObject(int id);
    CellData& cellAt(int depth);
    RowDef& rowDef();

    // The handlers of the word table, one per group of words; arg is the entry's own value
    // (a style bit, a destination, a character...). rtf_word_table.cpp says which word takes which.
    // Destinations (rtf_destination_words.cpp).
    void enterDestination(std::uint32_t dest, Param);
    void enterTextDestination(std::uint32_t dest, Param);
    void colourTable(std::uint32_t, Param);
    void picture(std::uint32_t, Param);
    void field(std::uint32_t, Param);
    void fieldResult(std::uint32_t, Param);
    void nestTableProps(std::uint32_t, Param);
    void holder(std::uint32_t, Param);
    void fontTableEntry(std::uint32_t, Param p);
    void colourPart(std::uint32_t part, Param p);
    void listDefinition(std::uint32_t, Param);
    void listLevel(std::uint32_t, Param);
    void listNumbering(std::uint32_t, Param p);
    void listStartAt(std::uint32_t, Param p);
    void listId(std::uint32_t, Param p);
    void overrideListId(std::uint32_t, Param p);
    void overrideNumber(std::uint32_t, Param p);
    // Pictures (rtf_picture_words.cpp).
    void pictureFormat(std::uint32_t format, Param);
    void pictureNumber(std::uint32_t which, Param p);
    void pictureLink(std::uint32_t, Param);
    // Character formatting (rtf_character_words.cpp).
    void styleToggle(std::uint32_t bit, Param p);
    void styleOff(std::uint32_t bits, Param);
    void plain(std::uint32_t, Param);
    void charNumber(std::uint32_t which, Param p);
    // Paragraph formatting and lists (rtf_paragraph_words.cpp).
    void paraAlign(std::uint32_t align, Param);
    void paraBorder(std::uint32_t side, Param);
    void paraNumber(std::uint32_t which, Param p);
    void numberStyle(std::uint32_t style, Param);
    void pard(std::uint32_t, Param);
    void inTable(std::uint32_t, Param);
    void tableDepth(std::uint32_t, Param p);
    void paraFlags(std::uint32_t, Param p);
    void paraBackground(std::uint32_t, Param p);
    void paraColour(std::uint32_t, Param p);
    void paraList(std::uint32_t, Param p);
    void paraListLevel(std::uint32_t numbered, Param p);
    void paraBullet(std::uint32_t bullet, Param);
    void paraListStart(std::uint32_t, Param p);
    void paraListBullet(std::uint32_t, Param p);
    void paraListStyle(std::uint32_t, Param p);
    // Row and cell definitions (rtf_table_words.cpp).
    void rowStart(std::uint32_t, Param);
    void rowIndent(std::uint32_t fromCells, Param p);
    void rowAlign(std::uint32_t align, Param);
    void rowNumber(std::uint32_t which, Param p);
    void cellSide(std::uint32_t side, Param);
    void cellRowSpan(std::uint32_t span, Param);
    void cellMergeFirst(std::uint32_t, Param);
    void cellMerged(std::uint32_t, Param);
    void cellFlag(std::uint32_t flag, Param);
    void cellBorderWidth(std::uint32_t, Param p);
    void cellShading(std::uint32_t, Param p);
    void cellNumber(std::uint32_t which, Param p);
    void cellBorder(std::uint32_t, Param p);
    void cellBoundary(std::uint32_t, Param p);
    // Breaks, table ends, special characters and Unicode (rtf_special_words.cpp).
    void paragraphEnd(std::uint32_t, Param);
    void character(std::uint32_t c, Param);
    void cellText(std::uint32_t nested, Param);
    void rowText(std::uint32_t nested, Param);
    void unicode(std::uint32_t, Param p);
    void unicodeSkip(std::uint32_t, Param p);

    Editor& e_;
    std::string folder_;
    std::vector<Group> stack_;
    bool damaged_ = false;
    bool starred_ = false;   // "\*" came: the next word names a destination, or the group is skipped
    int overflow_ = 0;
    int skipChars_ = 0;
    std::map<int, std::string> faces_;
    int fontTableIndex_ = 0;
    std::string fontName_;
    std::vector<std::uint32_t> colours_;
    std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
    std::map<int, ListFormat> listsById_;
    std::map<int, ListFormat> listsByLs_;
    int listLevels_ = 0, overrideListId_ = 0;
    ListFormat listDef_;
    PictureState picture_;
    std::string destText_;
    CharState cachedState_;
    int cachedFont_ = -1;
    // Font ids of the character states seen so far: a run repeats a state far more often than it brings a new one.
    std::unordered_map<CharState, int, CharStateHash> fontIds_;
    // The paragraph piece being read.
    std::string piece_;
    std::vector<std::uint16_t> pieceFonts_;
    // Rows being read, by depth (index depth - 1), and the cell definitions of each depth.
    std::vector<RowData> rows_;
    std::vector<CellData> cells_;
    std::vector<RowDef> rowDefs_;
    int rowDefDepth_ = 1;
    Cell pendingCell_;
    bool pendingWidth_ = false;
    int pendingBorder_ = 0;
    int lastCellX_ = 0;
    int borderTarget_ = -1;   // which border \brdrw sizes: 0-3 a cell side, 4 a paragraph border
    int outerPrevious_ = 0;   // the last cell of the outermost table being read, 0 after text
};

}
