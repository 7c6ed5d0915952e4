#pragma once
// Page header and footer texts with their codes: &L, &C, &R start the left, centre and
// right section (centre when none is given), &P is the page number, &N the page count,
// &D and &T the date and time, &F the file name, &A the sheet name, &B and &I switch bold
// and italic, &nn (two digits) sets the font size in points, && is one "&".
#include <QString>
#include <array>

namespace ks::workbook::view {

struct HeaderFooterSection {
    QString text;
    double points = 10;
    bool bold = false, italic = false;
};

struct PageFields {
    int page = 1, pages = 1;
    QString date, time, fileName, sheetName;
};

// Left, centre and right sections of one page's header or footer.
std::array<HeaderFooterSection, 3> expandHeaderFooter(const QString& codes, const PageFields& fields);

}
