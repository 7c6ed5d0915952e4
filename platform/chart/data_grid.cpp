#include "platform/chart/data_grid.h"
#include "platform/chart/chart_errors.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace ks::chart {

namespace {

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool strip(std::string& s, const std::string& affix, bool atEnd)
{
    if (s.size() < affix.size())
        return false;
    const std::size_t at = atEnd ? s.size() - affix.size() : 0;
    if (s.compare(at, affix.size(), affix) != 0)
        return false;
    s.erase(at, affix.size());
    return true;
}

bool stripCurrency(std::string& s)
{
    for (const char* sign : {"$", "\xE2\x82\xAC", "\xC2\xA3", "\xC2\xA5"})
        if (strip(s, sign, false) || strip(s, sign, true))
            return true;
    return false;
}

// Commas group the whole part's digits in threes ("1,234,567.5"); any other comma makes the
// text no number, so that a decimal comma ("0,453") is never read as a thousands separator.
bool removeGrouping(std::string& s)
{
    const std::size_t firstComma = s.find(',');
    if (firstComma == std::string::npos)
        return true;
    const std::size_t wholeEnd = std::min(s.find_first_of(".eE"), s.size());
    const std::string whole = s.substr(0, wholeEnd);
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (firstComma >= whole.size() || firstComma < 1 || firstComma > 3 || whole[0] == '0' ||
        (whole.size() - firstComma) % 4 != 0)
        return false;
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const bool commaPlace = i >= firstComma && (i - firstComma) % 4 == 0;
        if (commaPlace != (whole[i] == ',') || (!commaPlace && !digit(whole[i])))
            return false;
        if (!commaPlace)
            out += whole[i];
    }
    s = out + s.substr(wholeEnd);
    return true;
}

std::optional<double> plainNumber(const std::string& s)
{
    // from_chars also reads "inf" and "nan", which are no cell values.
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.'))
        return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}

std::optional<double> chartValueOf(const std::string& text)
{
    std::string s = trimmed(text);
    bool negative = false;
    if (s.size() > 2 && s.front() == '(' && s.back() == ')') {
        negative = true;
        s = trimmed(s.substr(1, s.size() - 2));
    }
    if (!negative && strip(s, "-", false))
        negative = true;
    else if (!negative)
        strip(s, "+", false);
    if (stripCurrency(s) && !negative && strip(s, "-", false))  // "$-5"
        negative = true;
    const bool percent = strip(s, "%", true);
    s = trimmed(s);
    if (!removeGrouping(s))
        return std::nullopt;
    std::optional<double> v = plainNumber(s);
    if (!v)
        return std::nullopt;
    double n = percent ? *v / 100 : *v;
    return negative ? -n : n;
}

DataGrid::DataGrid() : cells_(1, std::vector<Cell>(1)), rowLabels_(1), columnLabels_(1) {}

void DataGrid::checkCount(int count, const char* what)
{
    if (count < 1 || count > kMaxCount)
        raiseError(kErrBadArgument, std::string("The chart's ") + what + " count must be from 1 to " +
                                   std::to_string(kMaxCount) + ", not " + std::to_string(count));
}

void DataGrid::checkIndex(int index, int count, const char* what)
{
    if (index < 1 || index > count)
        raiseError(kErrBadArgument, std::string("The chart has no ") + what + " " + std::to_string(index) + " (it has " +
                                   std::to_string(count) + ")");
}

void DataGrid::setRowCount(int count)
{
    checkCount(count, "row");
    cells_.resize(count, std::vector<Cell>(ColumnCount()));
    rowLabels_.resize(count);
    row_ = std::min(row_, count);
}

void DataGrid::setColumnCount(int count)
{
    checkCount(count, "column");
    for (auto& row : cells_)
        row.resize(count);
    columnLabels_.resize(count);
    column_ = std::min(column_, count);
}

void DataGrid::setRow(int row)
{
    checkIndex(row, RowCount(), "row");
    row_ = row;
}

void DataGrid::setColumn(int column)
{
    checkIndex(column, ColumnCount(), "column");
    column_ = column;
}

void DataGrid::setData(const std::string& text)
{
    cells_[row_ - 1][column_ - 1] = Cell{text, chartValueOf(text)};
}

const DataGrid::Cell& DataGrid::cell(int row, int column) const
{
    checkIndex(row, RowCount(), "row");
    checkIndex(column, ColumnCount(), "column");
    return cells_[row - 1][column - 1];
}

std::string DataGrid::columnLabel(int column) const
{
    checkIndex(column, ColumnCount(), "column");
    return columnLabels_[column - 1];
}

std::string DataGrid::rowLabel(int row) const
{
    checkIndex(row, RowCount(), "row");
    return rowLabels_[row - 1];
}

}
