#pragma once
// The chart's data grid: rows and columns of cells given as text, each taken as a
// value when it reads as a number, with labels for the rows and columns and a current
// cell that the cell operations address. Rows and columns count from 1.
#include <optional>
#include <string>
#include <vector>

namespace ks::chart {

// The value a cell's text stands for: plain and scientific numbers, and the shown forms
// of formatted numbers (grouping commas, a currency sign, a trailing "%" taken as
// hundredths, a leading "-" or enclosing parentheses for negatives). Blank text and
// text that is no number give no value: the chart leaves that point out.
std::optional<double> chartValueOf(const std::string& text);

class DataGrid {
public:
    static constexpr int kMaxCount = 1000;

    DataGrid();

    int RowCount() const { return static_cast<int>(cells_.size()); }
    int ColumnCount() const { return static_cast<int>(columnLabels_.size()); }
    // 1 to kMaxCount; cells outside the new size are dropped, new ones are blank.
    void setRowCount(int count);
    void setColumnCount(int count);

    int Row() const { return row_; }
    int Column() const { return column_; }
    void setRow(int row);
    void setColumn(int column);

    // The current cell.
    std::string Data() const { return cell(row_, column_).text; }
    void setData(const std::string& text);
    std::string ColumnLabel() const { return columnLabels_[column_ - 1]; }
    void setColumnLabel(const std::string& text) { columnLabels_[column_ - 1] = text; }
    std::string RowLabel() const { return rowLabels_[row_ - 1]; }
    void setRowLabel(const std::string& text) { rowLabels_[row_ - 1] = text; }

    // Any cell; row and column must be in the grid.
    std::optional<double> value(int row, int column) const { return cell(row, column).value; }
    std::string text(int row, int column) const { return cell(row, column).text; }
    std::string columnLabel(int column) const;
    std::string rowLabel(int row) const;

private:
    struct Cell {
        std::string text;
        std::optional<double> value;
    };
    const Cell& cell(int row, int column) const;
    static void checkCount(int count, const char* what);
    static void checkIndex(int index, int count, const char* what);

    std::vector<std::vector<Cell>> cells_;
    std::vector<std::string> rowLabels_, columnLabels_;
    int row_ = 1, column_ = 1;
};

}
