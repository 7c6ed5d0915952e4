#include "tools/scorecard_files/scorecard_files.h"

#include <filesystem>

namespace ks::scorecard::files {

void writeProgramFiles(const std::string& programFolder, int year, int month)
{
    namespace fs = std::filesystem;
    fs::path folder(programFolder);
    fs::create_directories(folder / "spreadsheets");
    {
        workbook::Book book;
        buildTemplate(book, year);
        book.WriteBookFile((folder / "newxx2.tem").string(), workbook::kFileNative);
    }
    {
        workbook::Book book;
        buildReportTemplate(book);
        book.WriteBookFile((folder / "actbud.rt").string(), workbook::kFileNative);
    }
    workbook::Book book;
    buildSample(book, year, month);
    book.WriteBookFile((folder / "spreadsheets" / "Sample.vqa").string(), workbook::kFileNative);
}

}
