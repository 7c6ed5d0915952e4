#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/native_file.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include "tests/platform/workbook/error_number.h"

#include <gtest/gtest.h>
#include <random>
#include <zip.h>

using namespace ks::workbook;
using ks::workbook::test::errorNumberOf;

namespace {
// A book using every persisted property.
void fill(Book& book)
{
    book.setSheetCount(3);
    book.setSheetName(2, "Set up");
    book.setBookText(1, 1, 1, "Acme \"Co\" <&> line\r\nnext\ttab");
    book.setBookNumber(1, 2, 2, -1234.5678e-3);
    book.setBookFormula(1, 3, 2, "=SUM(B2:B2)*'Set up'!C3&\"x\"");
    book.setBookFormula(1, 4, 2, "=IF(B2<0,TRUE,FALSE)");
    book.setBookFormula(1, 5, 2, "=1/0");
    book.setBookNumber(2, 3, 3, 7);
    book.setCurrentSheet(1);
    book.SelectBlock(2, 2, 3, 3);
    book.setSelectionNumberFormat("$#,##0.00;($#,##0.00)");
    book.SetSelectionAlignment(4, true, 2, 45);
    book.SetSelectionPattern(1, 0x00FF00, 0x0000FF);
    book.SetSelectionBorder(3, 1, 1, 1, 1, 1, 0x123456, 0x1, 0x2, 0x3, 0x4);
    book.SetSelectionProtection(false, true);
    Font font;
    font.name = "Times";
    font.size = 12.5;
    font.bold = font.italic = font.underline = true;
    font.color = 0xAA0000;
    book.SetSelectionFont(font);
    book.setRowHeight(4, 22.5);
    book.setRowHiddenFlag(7, true);
    book.setColumnWidth(2, 15.25);
    book.SelectBlock(1, 1, 68, 6);
    book.PrintRangeFromSelection();
    book.setPrintHeaderText("Report");
    book.setPrintFooterText("&C &08 Page &P");
    book.SetPrintScale(80, true, 0, 3);
    book.SetPrintTitles(3, 2);
    book.setPrintLandscape(true);
    book.PlaceCursor(30, 3);
    book.AddPageBreak();
    book.SetRowPageBreak(81);
    book.setSheetProtected(true);
    book.DefineName("KPI_1", "B4:C4");
    book.DefineName("Rate", "'Set up'!$C$3");
    int list = book.AddListObject(2, 2, 4.5, 3, "monthcombo");
    book.AppendListItem(list, "January");
    book.AppendListItem(list, "February");
    book.setListLinkedCell(list, 9, 9);
    book.setListSelection(list, 1);
    int ranged = book.AddListObject(5, 2, 7, 3, "kpis");
    book.setListSource(ranged, "A1:A3");
    book.AddPictureObject(1, 70, 7, 86, std::string("\x89PNG\0\x01\xff", 7), 7, 320, 200);
    book.setCurrentSheet(2);
    book.PlaceCursor(5, 6);
}

std::string zipEntry(zip_t* archive, const char* name)
{
    zip_file_t* file = zip_fopen(archive, name, 0);
    if (!file)
        return "";
    std::string text;
    char buf[4096];
    zip_int64_t n;
    while ((n = zip_fread(file, buf, sizeof buf)) > 0)
        text.append(buf, static_cast<std::size_t>(n));
    zip_fclose(file);
    return text;
}
}

TEST(NativeFile, EverythingSurvivesSaveAndLoad)
{
    ks::test::TempDir dir;
    Book book;
    fill(book);
    std::string path = dir.str() + "/card.vqa";
    book.WriteBookFile(path, kFileNative);
    Book loaded;
    EXPECT_EQ(loaded.ReadBookFile(path), kFileNative);
    EXPECT_EQ(loaded.BookFileName(), path);
    EXPECT_EQ(writeNativeXml(loaded.data()), writeNativeXml(book.data()));

    EXPECT_EQ(loaded.BookText(1, 1, 1), "Acme \"Co\" <&> line\r\nnext\ttab");
    EXPECT_EQ(loaded.BookNumber(1, 2, 2), -1234.5678e-3);
    EXPECT_EQ(loaded.BookText(1, 3, 2), "-8.6419746x");
    EXPECT_EQ(loaded.BookText(1, 4, 2), "TRUE");
    EXPECT_EQ(loaded.BookText(1, 5, 2), "#DIV/0!");
    EXPECT_EQ(loaded.CurrentSheet(), 2);
    EXPECT_EQ(loaded.GetCursorCell(), (CellPos{5, 6}));
    loaded.setCurrentSheet(1);
    EXPECT_TRUE(loaded.SheetProtected());
    EXPECT_TRUE(loaded.RowHiddenFlag(7));
    EXPECT_EQ(loaded.RowHeight(4), 22.5);
    EXPECT_EQ(loaded.ColumnWidth(2), 15.25);
    EXPECT_EQ(loaded.Print().range, (Block{1, 1, 68, 6}));
    EXPECT_EQ(loaded.PrintFooterText(), "&C &08 Page &P");
    EXPECT_EQ(loaded.Print(), book.data().sheets[0].print) << "the page set-up whole: fit, titles, orientation";
    EXPECT_EQ(loaded.RowPageBreaks(), (std::vector<int>{30, 81}));
    EXPECT_EQ(loaded.ColumnPageBreaks(), (std::vector<int>{3}));
    EXPECT_EQ(loaded.CellFormatAt(1, 3, 3), book.CellFormatAt(1, 3, 3));
    EXPECT_FALSE(loaded.CellFormatAt(1, 3, 3).locked);
    EXPECT_EQ(loaded.NameReference("KPI_1"), "Sheet1!$B$4:$C$4");
    EXPECT_EQ(loaded.ListSelection(1), 1);
    EXPECT_EQ(loaded.ListItemText(2, 0), "Acme \"Co\" <&> line\r\nnext\ttab");
    EXPECT_EQ(loaded.PictureObjects(1).front()->data, std::string("\x89PNG\0\x01\xff", 7));
    EXPECT_EQ(loaded.AddListObject(1, 1, 2, 2, "new"), 4);  // ids go on after the stored ones
}

TEST(NativeFile, DamagedFileRaises20012AndChangesNothing)
{
    ks::test::TempDir dir;
    Book good;
    fill(good);
    std::string path = dir.str() + "/good.vqa";
    good.WriteBookFile(path, kFileNative);
    std::string bytes = dir.read("good.vqa");

    Book book;
    fill(book);
    std::string before = writeNativeXml(book.data());
    std::vector<std::pair<std::string, std::string>> damaged = {
        {"empty.vqa", ""},
        {"text.vqa", "just some text"},
        {"half.vqa", bytes.substr(0, bytes.size() / 2)},
        {"other.vqa", "<?xml version=\"1.0\"?><settings/>"},
        {"newer.vqa", "<workbook version=\"99\"><sheet name=\"a\"/></workbook>"},
        {"formula.vqa", "<workbook version=\"1\"><sheet name=\"a\"><cells><c r=\"1\" c=\"1\" f=\"SUM(\"/></cells></sheet></workbook>"},
        {"row.vqa", "<workbook version=\"1\"><sheet name=\"a\"><cells><c r=\"99999999\" c=\"1\" t=\"n\" v=\"1\"/></cells></sheet></workbook>"},
        {"style.vqa", "<workbook version=\"1\"><sheet name=\"a\"><cells><c r=\"1\" c=\"1\" s=\"5\"/></cells></sheet></workbook>"},
        {"number.vqa", "<workbook version=\"1\"><sheet name=\"a\"><cells><c r=\"1\" c=\"1\" t=\"n\" v=\"1e999\"/></cells></sheet></workbook>"},
        {"list.vqa", "<workbook version=\"1\"><sheet name=\"a\"><objects><list id=\"1\" anchor=\"1 1 2 2\" selection=\"3\"/></objects></sheet></workbook>"},
        {"twice.vqa", "<workbook version=\"1\"><sheet name=\"a\"/><sheet name=\"A\"/></workbook>"},
    };
    for (const auto& [name, content] : damaged) {
        std::string file = dir.write(name, content).string();
        EXPECT_EQ(errorNumberOf([&] { book.LoadBookFile(file); }), kErrFileUnreadable) << name;
        EXPECT_EQ(writeNativeXml(book.data()), before) << name;
    }
    EXPECT_EQ(errorNumberOf([&] { book.ReadBookFile(dir.str() + "/missing.vqa"); }), kErrFileUnreadable);
    EXPECT_EQ(errorNumberOf([&] { book.ReadBookFile(dir.str()); }), kErrFileUnreadable);
    EXPECT_EQ(book.BookFileName(), "");
}

TEST(NativeFile, FailedSaveKeepsTheOldFile)
{
    ks::test::TempDir dir;
    Book book;
    book.setSheetNumber(1, 1, 1);
    std::string path = dir.str() + "/card.vqa";
    book.WriteBookFile(path, kFileNative);
    std::string old = dir.read("card.vqa");
    book.setSheetNumber(1, 1, 2);
    std::filesystem::create_directory(dir.path() / "folder");
    EXPECT_EQ(errorNumberOf([&] { book.WriteBookFile((dir.path() / "folder").string(), kFileNative); }), kErrFileWrite);
    EXPECT_EQ(errorNumberOf([&] { book.WriteBookFile(dir.str() + "/no/such/card.vqa", kFileNative); }), kErrFileWrite);
    EXPECT_EQ(errorNumberOf([&] { book.WriteBookFile(path, 9); }), kErrBadArgument);
    {
        ks::test::FullDisk full(old.size() / 2);
        EXPECT_EQ(errorNumberOf([&] { book.WriteBookFile(path, kFileNative); }), kErrFileWrite);
        EXPECT_EQ(errorNumberOf([&] { book.WriteBookFile(path, kFileXlsx); }), kErrFileWrite);
    }
    EXPECT_EQ(dir.read("card.vqa"), old);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1);  // no temporary file left behind
    book.WriteBookAs(path, kFileNative);
    EXPECT_NE(dir.read("card.vqa"), old);
    EXPECT_EQ(book.BookFileName(), path);
}

TEST(XlsxExport, WritesACompleteWorkbookPackage)
{
    ks::test::TempDir dir;
    Book book;
    fill(book);
    book.setCurrentSheet(3);
    book.setSheetNumber(1, 1, 2);
    book.setSheetNumber(2, 1, 3);
    book.setSheetFormula(3, 1, "=sum(A1:A2)");
    book.setSheetText(4, 1, "hello");
    book.PlaceCursor(3, 1);
    book.setSelectionNumberFormat("0.0%;(0%)");
    std::string path = dir.str() + "/report.xlsx";
    book.WriteBookAs(path, kFileXlsx);

    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(archive, nullptr);
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/styles.xml",
                             "xl/worksheets/sheet1.xml", "xl/worksheets/sheet3.xml", "xl/sharedStrings.xml"})
        EXPECT_FALSE(zipEntry(archive, name).empty()) << name;
    std::string sheet3 = zipEntry(archive, "xl/worksheets/sheet3.xml");
    EXPECT_NE(sheet3.find("<f>SUM(A1:A2)</f><v>5</v>"), std::string::npos) << sheet3;
    EXPECT_NE(sheet3.find("<v>3</v>"), std::string::npos);
    std::string sheet1 = zipEntry(archive, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet1.find("<f>SUM(B2:B2)*'Set up'!C3&amp;\"x\"</f>"), std::string::npos) << sheet1;
    EXPECT_NE(sheet1.find("hidden=\"1\""), std::string::npos);
    EXPECT_NE(sheet1.find("fitToPage"), std::string::npos);
    EXPECT_NE(sheet1.find("<oddFooter>&amp;C &amp;08 Page &amp;P</oddFooter>"), std::string::npos);
    EXPECT_NE(sheet1.find("<sheetProtection"), std::string::npos);
    EXPECT_NE(zipEntry(archive, "xl/sharedStrings.xml").find("hello"), std::string::npos);
    std::string workbook = zipEntry(archive, "xl/workbook.xml");
    EXPECT_NE(workbook.find("KPI_1"), std::string::npos);
    EXPECT_NE(workbook.find("Print_Area"), std::string::npos);
    EXPECT_NE(zipEntry(archive, "xl/styles.xml").find("0.0%;(0%)"), std::string::npos);
    zip_close(archive);
}

TEST(XlsxExport, AFailedExportNamesTheUsersFileAndTheSystemsReason)
{
    ks::test::TempDir dir;
    Book book;
    fill(book);
    const std::string path = dir.str() + "/report.xlsx";
    std::string description;
    {
        ks::test::FullDisk full(512);
        try {
            book.WriteBookFile(path, kFileXlsx);
        } catch (const ks::RuntimeError& e) {
            description = e.description();
        }
    }
    EXPECT_EQ(description, "Cannot write \"" + path + "\": " + std::strerror(EFBIG));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ks::test::folderListing(dir.path()), "");
}

// Damage anywhere in a file: it either still reads as a book or raises 20012, and a
// refused file changes nothing.
TEST(NativeFile, RandomDamageNeverCorruptsTheBook)
{
    ks::test::TempDir dir;
    Book good;
    fill(good);
    good.WriteBookFile(dir.str() + "/good.vqa", kFileNative);
    const std::string bytes = dir.read("good.vqa");
    Book book;
    book.setSheetNumber(1, 1, 42);
    const std::string before = writeNativeXml(book.data());
    std::mt19937 random(5);
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        std::string damaged = bytes;
        for (int n = 0; n < 1 + i % 4; ++n) {
            std::size_t at = random() % damaged.size();
            switch (random() % 3) {
            case 0: damaged[at] = static_cast<char>(random()); break;
            case 1: damaged.erase(at, 1 + random() % 20); break;
            default: damaged.insert(at, std::string(1, "<>\"&'=9-"[random() % 8])); break;
            }
        }
        std::string file = dir.write("damaged.vqa", damaged).string();
        Book probe;
        probe.setSheetNumber(1, 1, 42);
        int number = errorNumberOf([&] { probe.ReadBookFile(file); });
        if (number == 0) {
            probe.RecalculateBook();
            probe.WriteBookFile(dir.str() + "/again.vqa", kFileNative);  // what was read is whole
            continue;
        }
        ++refused;
        EXPECT_EQ(number, kErrFileUnreadable);
        EXPECT_EQ(writeNativeXml(probe.data()), before);
    }
    EXPECT_GT(refused, 100);
}

TEST(NativeFile, RenamedSheetsAndNamesReadBack)
{
    ks::test::TempDir dir;
    Book book;
    book.setSheetCount(2);
    book.setSheetName(1, "Month 'view' 1");
    book.setBookNumber(2, 1, 1, 3);
    book.setBookFormula(2, 1, 2, "='Month ''view'' 1'!A1+A1");
    book.setBookNumber(1, 1, 1, 4);
    book.DefineName("Both", "'Month ''view'' 1'!A1:B2");
    std::string path = dir.str() + "/names.vqa";
    book.WriteBookFile(path, kFileNative);
    Book loaded;
    loaded.LoadBookFile(path);
    EXPECT_EQ(loaded.SheetName(1), "Month 'view' 1");
    EXPECT_EQ(loaded.BookNumber(2, 1, 2), 7);
    EXPECT_EQ(loaded.NameReference("both"), "'Month ''view'' 1'!$A$1:$B$2");
    EXPECT_EQ(errorNumberOf([&] { loaded.setSheetName(2, "Month 'view' 1"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { loaded.setSheetName(2, "a/b"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { loaded.setSheetName(2, "'quoted'"); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { loaded.setSheetCount(1); }), kErrBadArgument);
    EXPECT_EQ(errorNumberOf([&] { loaded.setSheetCount(kMaxSheets + 1); }), kErrBadArgument);
}
