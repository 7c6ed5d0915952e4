#include "platform/workbook/engine/xlsx_export.h"

#include "platform/workbook/engine/classic_numbers.h"
#include "platform/workbook/engine/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <xlsxwriter.h>

namespace ks::workbook {

namespace {
lxw_color_t color(std::int32_t rgb)
{
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : static_cast<lxw_color_t>(rgb);
}

std::uint8_t border(int style)
{
    return static_cast<std::uint8_t>(std::clamp(style, 0, static_cast<int>(LXW_BORDER_SLANT_DASH_DOT)));
}

class Exporter {
public:
    Exporter(const BookData& book, lxw_workbook* wb) : book_(book), wb_(wb) {}

    void run()
    {
        for (const Sheet& sheet : book_.sheets)
            writeSheet(sheet);
        for (const auto& [key, defined] : book_.names) {
            if (defined.areas.size() != 1)
                continue;
            const Area& a = defined.areas.front();
            std::string ref = "=" + quoteSheetName(book_.sheets[static_cast<std::size_t>(a.sheet)].name) + "!" +
                              cellName(a.block.row1, a.block.col1, true, true) + ":" +
                              cellName(a.block.row2, a.block.col2, true, true);
            workbook_define_name(wb_, defined.name.c_str(), ref.c_str());
        }
    }

private:
    lxw_format* format(std::uint32_t style)
    {
        if (style == 0)
            return nullptr;
        auto it = formats_.find(style);
        if (it != formats_.end())
            return it->second;
        const CellFormat& f = book_.styles.at(style);
        lxw_format* x = workbook_add_format(wb_);
        if (f.numberFormat != "General")
            format_set_num_format(x, f.numberFormat.c_str());
        static const std::uint8_t horizontal[] = {LXW_ALIGN_NONE, LXW_ALIGN_LEFT, LXW_ALIGN_CENTER,
                                                  LXW_ALIGN_RIGHT, LXW_ALIGN_FILL, LXW_ALIGN_JUSTIFY};
        static const std::uint8_t vertical[] = {LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER,
                                                LXW_ALIGN_VERTICAL_BOTTOM};
        if (f.hAlign != HAlign::General)
            format_set_align(x, horizontal[static_cast<int>(f.hAlign)]);
        if (f.vAlign != VAlign::Bottom)
            format_set_align(x, vertical[static_cast<int>(f.vAlign)]);
        if (f.wrap)
            format_set_text_wrap(x);
        if (f.orientation >= -90 && f.orientation <= 90 && f.orientation != 0)
            format_set_rotation(x, static_cast<std::int16_t>(f.orientation));
        format_set_font_name(x, f.font.name.c_str());
        format_set_font_size(x, f.font.size);
        if (f.font.bold) format_set_bold(x);
        if (f.font.italic) format_set_italic(x);
        if (f.font.underline) format_set_underline(x, LXW_UNDERLINE_SINGLE);
        if (f.font.color) format_set_font_color(x, color(f.font.color));
        if (f.pattern.pattern > 0) {
            format_set_pattern(x, static_cast<std::uint8_t>(std::min(f.pattern.pattern, 18)));
            format_set_fg_color(x, color(f.pattern.foreground));
            format_set_bg_color(x, color(f.pattern.background));
        }
        const Borders& b = f.borders;
        if (b.left) format_set_left(x, border(b.left)), format_set_left_color(x, color(b.leftColor));
        if (b.right) format_set_right(x, border(b.right)), format_set_right_color(x, color(b.rightColor));
        if (b.top) format_set_top(x, border(b.top)), format_set_top_color(x, color(b.topColor));
        if (b.bottom) format_set_bottom(x, border(b.bottom)), format_set_bottom_color(x, color(b.bottomColor));
        if (!f.locked) format_set_unlocked(x);
        if (f.hidden) format_set_hidden(x);
        formats_.emplace(style, x);
        return x;
    }

    void writeCell(lxw_worksheet* ws, int r, int c, const Cell& cell)
    {
        lxw_row_t row = static_cast<lxw_row_t>(r - 1);
        lxw_col_t col = static_cast<lxw_col_t>(c - 1);
        lxw_format* fmt = format(cell.style);
        const Value& v = cell.value;
        if (cell.formula) {
            std::string text = "=" + printFormula(*cell.formula, names_);
            if (v.isNumber() || v.isBool())
                worksheet_write_formula_num(ws, row, col, text.c_str(), fmt, v.number);
            else
                worksheet_write_formula_str(ws, row, col, text.c_str(), fmt, textOf(v).c_str());
            return;
        }
        switch (v.type) {
        case ValueType::Number: worksheet_write_number(ws, row, col, v.number, fmt); break;
        case ValueType::Text: worksheet_write_string(ws, row, col, v.text.c_str(), fmt); break;
        case ValueType::Boolean: worksheet_write_boolean(ws, row, col, v.number != 0, fmt); break;
        case ValueType::Error: worksheet_write_formula_str(ws, row, col, errorText(v.error).c_str(), fmt, errorText(v.error).c_str()); break;
        case ValueType::Empty: worksheet_write_blank(ws, row, col, fmt); break;
        }
    }

    void writeLayout(lxw_worksheet* ws, const Sheet& sheet)
    {
        for (const auto& [col, width] : sheet.columnWidths)
            worksheet_set_column(ws, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(col - 1), width, nullptr);
        std::map<int, double> rows(sheet.rowHeights.begin(), sheet.rowHeights.end());
        for (int r : sheet.hiddenRows)
            rows.emplace(r, LXW_DEF_ROW_HEIGHT);
        for (const auto& [row, height] : rows) {
            lxw_row_col_options options{};
            options.hidden = sheet.hiddenRows.count(row) ? 1 : 0;
            worksheet_set_row_opt(ws, static_cast<lxw_row_t>(row - 1), height, nullptr, &options);
        }
    }

    void writePrint(lxw_worksheet* ws, const Sheet& sheet)
    {
        const PrintSetup& p = sheet.print;
        if (p.range)
            worksheet_print_area(ws, static_cast<lxw_row_t>(p.range->row1 - 1), static_cast<lxw_col_t>(p.range->col1 - 1),
                                 static_cast<lxw_row_t>(p.range->row2 - 1), static_cast<lxw_col_t>(p.range->col2 - 1));
        if (!p.header.empty())
            worksheet_set_header(ws, p.header.c_str());
        if (!p.footer.empty())
            worksheet_set_footer(ws, p.footer.c_str());
        if (p.fitToPages)
            worksheet_fit_to_pages(ws, static_cast<std::uint16_t>(p.pagesWide), static_cast<std::uint16_t>(p.pagesTall));
        else if (p.scale != 100)
            worksheet_set_print_scale(ws, static_cast<std::uint16_t>(p.scale));
        if (p.landscape)
            worksheet_set_landscape(ws);
        if (p.titleRows > 0)
            worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(p.titleRows - 1));
        if (p.titleColumns > 0)
            worksheet_repeat_columns(ws, 0, static_cast<lxw_col_t>(p.titleColumns - 1));
        // Both lists end with a 0, and xlsx counts the rows before the break from 0.
        std::vector<lxw_row_t> rowBreaks;
        for (int r : sheet.rowBreaks)
            rowBreaks.push_back(static_cast<lxw_row_t>(r - 1));
        rowBreaks.push_back(0);
        if (rowBreaks.size() > 1)
            worksheet_set_h_pagebreaks(ws, rowBreaks.data());
        std::vector<lxw_col_t> colBreaks;
        for (int c : sheet.columnBreaks)
            colBreaks.push_back(static_cast<lxw_col_t>(c - 1));
        colBreaks.push_back(0);
        if (colBreaks.size() > 1)
            worksheet_set_v_pagebreaks(ws, colBreaks.data());
    }

    void writeSheet(const Sheet& sheet)
    {
        lxw_worksheet* ws = workbook_add_worksheet(wb_, sheet.name.c_str());
        if (!ws)
            raise(kErrFileWrite, "Cannot export the sheet \"" + sheet.name + "\"");
        writeLayout(ws, sheet);
        sheet.forEachCell([&](int r, int c, const Cell& cell) { writeCell(ws, r, c, cell); });
        writePrint(ws, sheet);
        for (const PictureObject& picture : sheet.pictures) {
            // Pictures other programs cannot read (not PNG, JPEG, GIF or BMP) are left out.
            worksheet_insert_image_buffer(ws, static_cast<lxw_row_t>(picture.anchor.top - 1),
                                          static_cast<lxw_col_t>(picture.anchor.left - 1),
                                          reinterpret_cast<const unsigned char*>(picture.data.data()), picture.data.size());
        }
        if (sheet.isProtected)
            worksheet_protect(ws, nullptr, nullptr);
    }

    const BookData& book_;
    lxw_workbook* wb_;
    SheetNames names_ = book_.sheetNames();
    std::unordered_map<std::uint32_t, lxw_format*> formats_;
};
}

namespace {
// The library names its file failures by its zip layer ("Zip generic error ZIP_ERRNO"); the
// user is told the system's reason, as every other save tells it.
std::string closeReason(lxw_error result, int systemError)
{
    switch (result) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        if (systemError != 0)
            return std::strerror(systemError);
        break;
    default:
        break;
    }
    return lxw_strerror(result);
}
}

void writeXlsx(const BookData& book, const std::string& path, const std::string& shownAs)
{
    // libxlsxwriter writes numbers with printf, which follows the C library's locale: under a
    // comma-decimal locale the file would hold "0,5", which spreadsheet programs read as 0.
    const ClassicNumbers pointDecimals;
    lxw_workbook* wb = workbook_new(path.c_str());
    if (!wb)
        raise(kErrFileWrite, "Cannot write \"" + shownAs + "\"");
    try {
        Exporter(book, wb).run();
    } catch (...) {
        workbook_close(wb);
        throw;
    }
    errno = 0;
    const lxw_error result = workbook_close(wb);
    const int systemError = errno;
    if (result != LXW_NO_ERROR)
        raise(kErrFileWrite, "Cannot write \"" + shownAs + "\": " + closeReason(result, systemError));
}

}
