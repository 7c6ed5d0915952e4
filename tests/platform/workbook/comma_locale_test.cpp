// A Qt program takes the C library's locale from LANG: under a comma-decimal locale the
// book's numbers must still be written, read, rounded and exported with a point.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/number_format.h"
#include "platform/workbook/engine/value.h"
#include "tests/support/comma_locale.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <zip.h>

using namespace ks::workbook;

namespace {

std::string sheetXml(const std::string& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        return "";
    std::string text;
    if (zip_file_t* file = zip_fopen(archive, "xl/worksheets/sheet1.xml", 0)) {
        char buf[4096];
        zip_int64_t n;
        while ((n = zip_fread(file, buf, sizeof buf)) > 0)
            text.append(buf, static_cast<std::size_t>(n));
        zip_fclose(file);
    }
    zip_close(archive);
    return text;
}

}

TEST(CommaDecimalLocale, NumbersKeepTheirPointInTextsFormulasFilesAndExports)
{
    ks::test::CommaDecimalLocale german;
    if (!german.active())
        GTEST_SKIP() << "no comma-decimal locale can be made here";

    EXPECT_EQ(plainNumberText(0.453), "0.453");
    EXPECT_EQ(plainNumberText(-1234.5), "-1234.5");
    EXPECT_EQ(plainNumberText(1.5e20), "1.5E+20");
    EXPECT_EQ(plainNumberText(1e-7), "1E-07");
    EXPECT_EQ(formatNumber(0.453, "0.0%"), "45.3%");
    EXPECT_EQ(formatNumber(1234.5, "#,##0.00"), "1,234.50");

    Book book;
    book.setSheetFormula(1, 1, "=ROUND(3.14159,2)");
    EXPECT_EQ(book.SheetNumber(1, 1), 3.14);
    book.setSheetFormula(1, 2, "=ROUND(-2.675,2)*2");
    EXPECT_EQ(book.SheetText(1, 2), "-5.36");
    book.setSheetFormula(1, 3, "=0.5+0.25");
    EXPECT_EQ(book.SheetText(1, 3), "0.75");
    book.setSheetNumber(1, 4, 0.453);

    ks::test::TempDir dir;
    const std::string native = dir.str() + "/book.vts";
    book.WriteBookAs(native, kFileNative);
    Book reread;
    reread.ReadBookFile(native);
    EXPECT_EQ(reread.SheetNumber(1, 4), 0.453);
    EXPECT_EQ(reread.SheetNumber(1, 1), 3.14);

    const std::string xlsx = dir.str() + "/book.xlsx";
    book.WriteBookAs(xlsx, kFileXlsx);
    const std::string sheet = sheetXml(xlsx);
    ASSERT_FALSE(sheet.empty()) << "the export is there";
    EXPECT_NE(sheet.find("<v>0.453</v>"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("<v>3.14</v>"), std::string::npos) << sheet;
    EXPECT_EQ(sheet.find("0,453"), std::string::npos) << sheet;
}
