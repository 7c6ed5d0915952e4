#include "platform/workbook/view/print_job.h"

#include "platform/workbook/view/cell_painter.h"
#include "platform/workbook/view/header_footer.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace ks::workbook::view {

namespace {

constexpr double kBand = 48;  // header and footer bands: half an inch each

Block rangeOf(const Book& book)
{
    const PrintSetup& setup = book.Print();
    if (setup.range)
        return *setup.range;
    const Sheet& sheet = book.data().sheets[static_cast<std::size_t>(book.CurrentSheet()) - 1];
    Block used{1, 1, std::max(1, sheet.lastRow()), std::max(1, sheet.lastColumn())};
    for (const PictureObject* picture : book.PictureObjects(book.CurrentSheet())) {
        used.row2 = std::clamp(int(std::ceil(picture->anchor.bottom)), used.row2, kMaxRows);
        used.col2 = std::clamp(int(std::ceil(picture->anchor.right)), used.col2, kMaxColumns);
    }
    return used;
}

// Splits first..last into runs that fit `room`, starting a run at every manual break.
template <class Size>
std::vector<std::pair<int, int>> cutRuns(int first, int last, double room, double scale, const std::vector<int>& breaks,
                                         Size size)
{
    std::vector<std::pair<int, int>> runs;
    int start = first;
    double used = 0;
    for (int i = first; i <= last; ++i) {
        double s = size(i) * scale;
        bool manual = i > start && std::binary_search(breaks.begin(), breaks.end(), i);
        if (i > start && (manual || used + s > room)) {
            runs.emplace_back(start, i - 1);
            start = i;
            used = 0;
        }
        used += s;
    }
    runs.emplace_back(start, last);
    return runs;
}

// Whether a page of the range shows anything: a text, a fill, a border or an object.
bool printsAnything(const Book& book, const SheetGeometry& g, const Block& b)
{
    const int sheet = book.CurrentSheet();
    for (int row = b.row1; row <= b.row2; ++row) {
        if (g.rowHeight(row) == 0)
            continue;
        for (int col = b.col1; col <= b.col2; ++col) {
            if (g.colWidth(col) == 0)
                continue;
            const CellFormat& format = book.CellFormatAt(sheet, row, col);
            if (format.pattern.pattern > 0 || format.borders != Borders{} || !book.SheetShownText(row, col).empty())
                return true;
        }
    }
    const QRectF area(QPointF(g.colLeft(b.col1), g.rowTop(b.row1)), QPointF(g.colLeft(b.col2 + 1), g.rowTop(b.row2 + 1)));
    for (const PictureObject* picture : book.PictureObjects(sheet))
        if (g.anchorRect(picture->anchor).intersects(area))
            return true;
    for (const ListObject* list : book.ListObjects(sheet))
        if (g.anchorRect(list->anchor).intersects(area))
            return true;
    return false;
}

void drawBand(QPainter& p, const QString& codes, const PageFields& fields, const QRectF& band)
{
    if (codes.isEmpty())
        return;
    static const int aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    auto sections = expandHeaderFooter(codes, fields);
    for (int i = 0; i < 3; ++i) {
        const HeaderFooterSection& s = sections[static_cast<std::size_t>(i)];
        if (s.text.isEmpty())
            continue;
        Font font;
        font.size = s.points;
        font.bold = s.bold;
        font.italic = s.italic;
        p.setFont(fontOf(font));
        p.setPen(Qt::black);
        p.drawText(band, aligns[i] | Qt::AlignVCenter, s.text);
    }
}

}

PageCut cutPages(const Book& book, const SheetGeometry& g, const QSizeF& area)
{
    const PrintSetup& setup = book.Print();
    Block range = rangeOf(book);
    double width = g.colLeft(range.col2 + 1) - g.colLeft(range.col1);
    double height = g.rowTop(range.row2 + 1) - g.rowTop(range.row1);
    PageCut cut;
    if (setup.fitToPages) {
        // Fitting only ever shrinks, as far as the given pages across and down require.
        double wide = std::max(1, setup.pagesWide), tall = std::max(1, setup.pagesTall);
        cut.scale = std::min({1.0, width > 0 ? area.width() * wide / width : 1.0,
                              height > 0 ? area.height() * tall / height : 1.0});
    } else {
        cut.scale = std::clamp(setup.scale, 10, 400) / 100.0;
    }
    // A tiny epsilon keeps a range that fits exactly from spilling a sliver onto a new page.
    double roomW = area.width() + 1e-6, roomH = area.height() + 1e-6;
    // Fitting to pages replaces the manual breaks, as spreadsheet programs do.
    std::vector<int> none;
    auto columns = cutRuns(range.col1, range.col2, roomW, cut.scale, setup.fitToPages ? none : book.ColumnPageBreaks(),
                           [&](int c) { return g.colWidth(c); });
    auto rows = cutRuns(range.row1, range.row2, roomH, cut.scale, setup.fitToPages ? none : book.RowPageBreaks(),
                        [&](int r) { return g.rowHeight(r); });
    // Pages of the range that would show nothing are left out; an empty range still prints one page.
    for (auto [c1, c2] : columns)
        for (auto [r1, r2] : rows)
            if (Block page{r1, c1, r2, c2}; printsAnything(book, g, page))
                cut.pages.push_back(page);
    if (cut.pages.empty())
        cut.pages.push_back({rows.front().first, columns.front().first, rows.front().second, columns.front().second});
    return cut;
}

int printSheet(const Book& book, QPrinter& printer)
{
    SheetGeometry g;
    g.rebuild(book.data().sheets[static_cast<std::size_t>(book.CurrentSheet()) - 1], book.data().styles);
    double toDevice = printer.resolution() / 96.0;
    QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    QSizeF page(paper.width() / toDevice, paper.height() / toDevice);
    QSizeF area(page.width(), std::max(1.0, page.height() - 2 * kBand));
    PageCut cut = cutPages(book, g, area);

    QPainter p;
    if (!p.begin(&printer))
        raise(kErrNoPrinter, "The printer could not be started");
    PageFields fields;
    fields.pages = int(cut.pages.size());
    fields.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    fields.time = QLocale().toString(QTime::currentTime(), QLocale::ShortFormat);
    fields.fileName = QFileInfo(QString::fromStdString(book.BookFileName())).fileName();
    fields.sheetName = QString::fromStdString(book.SheetName(book.CurrentSheet()));
    const PrintSetup& setup = book.Print();
    for (std::size_t i = 0; i < cut.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        fields.page = int(i) + 1;
        const Block& b = cut.pages[i];
        p.save();
        p.scale(toDevice, toDevice);
        drawBand(p, QString::fromStdString(setup.header), fields, QRectF(0, 0, page.width(), kBand));
        drawBand(p, QString::fromStdString(setup.footer), fields, QRectF(0, page.height() - kBand, page.width(), kBand));
        p.translate(0, kBand);
        p.scale(cut.scale, cut.scale);
        p.translate(-g.colLeft(b.col1), -g.rowTop(b.row1));
        paintBlock(p, book, g, b, PaintOptions{false, true});
        p.restore();
    }
    p.end();
    return int(cut.pages.size());
}

}
