#pragma once
// The text of a document: paragraphs of 8-bit characters, each with a 16-bit
// font id, cut into logical lines of at most kMaxLine characters. Lines depend
// only on the text (a blank before kLineCut, a forced line break, a paragraph
// end), never on fonts or a window, so line numbers are stable for callers that
// rewrite a document line by line.
#include "platform/editor/vek32_codes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ks::editor {

// What a paragraph end carries: its format and its innermost table cell.
struct ParaMeta {
    int format = 0;
    int cell = 0;
    bool operator==(const ParaMeta&) const = default;
};

struct Paragraph {
    std::string chars;                 // the end character (if any) is the last one
    std::vector<std::uint16_t> fonts;  // one per character
    ParaMeta meta;
    bool terminated() const { return !chars.empty() && endsParagraph(chars.back()); }
};

struct Line {
    std::uint32_t para = 0;
    std::uint32_t start = 0;    // column of the paragraph where the line begins
    std::uint32_t length = 0;
    std::uint64_t pos = 0;      // absolute position of its first character
};

// Which paragraphs an edit changed: [first, first + removed) before it are [first, first + added)
// after it. An edit inside one paragraph also says which of its characters: erased characters
// from at were replaced by inserted ones.
struct TextChange {
    std::size_t first = 0, removed = 0, added = 0;
    bool inPlace = false;
    std::size_t at = 0, erased = 0, inserted = 0;
};

class Document {
public:
    Document() { reset({}); }
    // A new document: one empty paragraph holding its mark.
    void reset(ParaMeta meta, std::uint16_t font = 0);
    // No text at all.
    void clear();

    const std::vector<Paragraph>& paragraphs() const { return paras_; }
    std::size_t lineCount();
    const Line* line(std::size_t n);
    std::string_view lineChars(std::size_t n);
    const std::uint16_t* lineFonts(std::size_t n);
    std::size_t firstLineOf(std::size_t para);
    std::size_t paraOfLine(std::size_t n) { return line(n) ? line(n)->para : 0; }
    std::uint64_t length();
    std::uint64_t paraPos(std::size_t para);

    bool lineColToPos(std::size_t line, std::size_t col, std::uint64_t& pos);
    bool posToLineCol(std::uint64_t pos, std::size_t& line, std::size_t& col);
    // Character and font at a position; false past the end.
    bool charAt(std::uint64_t pos, char& c, std::uint16_t& font);

    // Appends at the end: the paragraph whose end arrives takes meta, as does the open tail.
    void appendRun(std::string_view chars, std::uint16_t font, ParaMeta meta);
    void append(std::string_view chars, const std::uint16_t* fonts, ParaMeta meta);
    // Replaces erase characters at pos with chars. New paragraph ends take *meta, or the
    // meta of the paragraph they land in. Cell and row ends are kept: table structure
    // changes only through the table operations.
    void splice(std::uint64_t pos, std::uint64_t erase, std::string_view chars,
                const std::uint16_t* fonts, const ParaMeta* meta = nullptr);
    // Replaces one line's content. Keeping the line's end character in place leaves
    // every line number as it is until the next relayout. False for a missing line
    // or more than kMaxLine characters.
    bool setLine(std::size_t line, std::string_view chars, const std::uint16_t* fonts);
    // Whole paragraphs, for the table commands.
    void insertParagraphs(std::size_t at, std::vector<Paragraph> paras);
    void eraseParagraphs(std::size_t first, std::size_t count);
    // Changes a terminated paragraph's end character (one paragraph end for another).
    void replaceEnd(std::size_t para, char end);
    // Rewrites a character's font in place.
    bool setFont(std::uint64_t pos, std::uint16_t font);
    void setMeta(std::size_t para, ParaMeta meta);
    // Cuts the lines again where text changed.
    void relayout();

    // Told of every change to the paragraphs as it is made (also of the joins the lines'
    // cutting makes), so that a view lays out only what changed.
    std::function<void(const TextChange&)> onChange;

private:
    void changed(std::size_t first, std::size_t removed, std::size_t added);
    void changedInside(std::size_t para, std::size_t at, std::size_t erased, std::size_t inserted);
    template <class AddFonts>
    void appendPieces(std::string_view chars, AddFonts&& addFonts, ParaMeta meta);
    void markDirty(std::size_t para);
    void ensureLayout() { if (dirtyFrom_ != kClean) layoutFrom(dirtyFrom_); }
    void layoutFrom(std::size_t para);
    void cutLines(std::size_t para, std::uint64_t pos);
    std::size_t paraAt(std::uint64_t pos);

    static constexpr std::size_t kClean = SIZE_MAX;
    std::vector<Paragraph> paras_;
    std::vector<Line> lines_;
    std::vector<std::size_t> firstLine_;     // per paragraph
    std::vector<std::uint64_t> paraPos_;     // per paragraph
    std::size_t dirtyFrom_ = kClean;         // first paragraph whose lines are stale
    std::size_t pendingFrom_ = kClean;       // lines edited in place, cut again at relayout
};

}
