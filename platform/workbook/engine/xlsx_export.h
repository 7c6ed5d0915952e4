#pragma once
// Export as .xlsx (file type 4) for other spreadsheet programs: values, formulas with their
// results, number formats and cell looks, column widths, row heights and hidden rows,
// defined names, pictures, print range, header, footer, scale and page breaks.
#include "platform/workbook/engine/book_data.h"

#include <string>

namespace ks::workbook {

// Writes to path (which must be new or replaceable); raises kErrFileWrite naming shownAs,
// the user's file, when path is a temporary that stands for it.
void writeXlsx(const BookData& book, const std::string& path, const std::string& shownAs);

}
