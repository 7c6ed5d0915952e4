#pragma once
// Cell positions and blocks, counted from 1, and their A1 spelling.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ks::workbook {

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
constexpr int kMaxSheets = 256;

struct CellPos {
    int row = 1;
    int col = 1;
    bool operator==(const CellPos&) const = default;
};

// A rectangular block; row1 <= row2 and col1 <= col2 once normalised.
struct Block {
    int row1 = 1, col1 = 1, row2 = 1, col2 = 1;
    bool operator==(const Block&) const = default;
    int rows() const { return row2 - row1 + 1; }
    int cols() const { return col2 - col1 + 1; }
    bool contains(int r, int c) const { return r >= row1 && r <= row2 && c >= col1 && c <= col2; }
    Block normalised() const;
};

inline bool validCell(int row, int col)
{
    return row >= 1 && row <= kMaxRows && col >= 1 && col <= kMaxColumns;
}

// "A" for 1, "AA" for 27.
std::string columnLetters(int col);
// "B4", with "$" before the absolute parts.
std::string cellName(int row, int col, bool rowAbs = false, bool colAbs = false);
void appendCellName(std::string& out, int row, int col, bool rowAbs = false, bool colAbs = false);
// Parses "B4" or "$B$4"; nothing when the text is not exactly one cell name.
struct ParsedCell {
    int row, col;
    bool rowAbs, colAbs;
};
std::optional<ParsedCell> parseCellName(std::string_view text);

// A sheet name as written in a reference: quoted when it holds anything but letters, digits, "_".
std::string quoteSheetName(const std::string& name);

// One cell key for maps: sheet, row, column packed into 64 bits.
using CellKey = std::uint64_t;
inline CellKey cellKey(int sheet, int row, int col)
{
    return (std::uint64_t(sheet) << 40) | (std::uint64_t(row) << 16) | std::uint64_t(col);
}
inline int keySheet(CellKey k) { return int(k >> 40); }
inline int keyRow(CellKey k) { return int((k >> 16) & 0xFFFFFF); }
inline int keyCol(CellKey k) { return int(k & 0xFFFF); }

}
