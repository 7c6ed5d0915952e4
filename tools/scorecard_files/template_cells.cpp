#include "tools/scorecard_files/template_cells.h"

#include "platform/workbook/engine/cell_address.h"

namespace ks::scorecard::files {

std::string cell(int row, int col)
{
    return workbook::cellName(row, col);
}

std::string absCell(int sheet, int row, int col)
{
    return std::string(kSheetNames[static_cast<std::size_t>(sheet) - 1]) + "!" +
           workbook::cellName(row, col, true, true);
}

std::string column(int col)
{
    return workbook::columnLetters(col);
}

const char* monthName(int month)
{
    static constexpr std::array<const char*, 12> names = {"January", "February", "March", "April",
                                                          "May", "June", "July", "August",
                                                          "September", "October", "November", "December"};
    return names[static_cast<std::size_t>(month - 1)];
}

}
