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

// Which handler takes a control word in the text.
enum class WordKind : std::uint8_t { Unseen, Destination, Character, Paragraph, Table, Other, None };

// Which handler takes each control word seen, in a small open-addressed table: a file
// repeats a few dozen words tens of thousands of times.
class WordKinds {
public:
    // The entry for word (kept as a view: it must outlive the table); once the table is
    // full, new words get a scratch entry that always reads Unseen.
    WordKind& at(std::string_view word);

private:
    static constexpr std::size_t kSlots = 1024, kMaxWords = 768;
    std::string_view words_[kSlots];
    WordKind kinds_[kSlots] = {};
    std::size_t used_ = 0;
    WordKind scratch_ = WordKind::Unseen;
};

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

class RtfParser {
public:
    RtfParser(Editor& e, std::string folder) : e_(e), folder_(std::move(folder)) {}
    // False when the file was damaged.
    bool parse(std::string_view bytes);

private:
    Group& top() { return stack_.back(); }
    void open();
    void close();
    void controlWord(std::string_view word, bool hasParam, long long param);
    bool destinationWord(std::string_view word, bool starred);
    bool characterWord(std::string_view word, bool hasParam, long long param);
    bool paragraphWord(std::string_view word, bool hasParam, long long param);
    bool tableWord(std::string_view word, bool hasParam, long long param);
    bool otherWord(std::string_view word, bool hasParam, long long param);
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

    Editor& e_;
    std::string folder_;
    std::vector<Group> stack_;
    // Keys view the bytes being parsed or literals; the parser lives for one parse.
    WordKinds wordKinds_;
    bool damaged_ = false;
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
