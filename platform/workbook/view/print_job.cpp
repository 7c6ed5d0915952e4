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
#include <functional>

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

// One direction of the range as the page cut sees it: where its rows (or columns) start,
// the print titles before it, the manual breaks and the spans that a cut should not split.
struct Axis {
    int first = 1, last = 1;
    std::function<int(int)> start;  // sheet pixels where row (column) i starts
    int titles = 0;                 // rows (columns) 1..titles repeat on the pages after them
    std::vector<int> breaks;        // manual breaks, sorted
    std::vector<std::pair<double, double>> whole;  // spans in sheet pixels kept on one page
    std::vector<bool> blank;        // by i - first: row (column) i shows nothing
    double runOn = 0;               // pixels past the last row (column) that belong to it

    double titleSize() const { return titles > 0 ? start(titles + 1) - start(1) : 0; }
    bool splits(double at, double room) const
    {
        for (auto [from, to] : whole)
            if (from < at - 0.5 && to > at + 0.5 && to - from <= room)
                return true;
        return false;
    }
    bool blankBefore(int i) const
    {
        const std::size_t at = std::size_t(i - 1 - first);
        return i > first && at < blank.size() && blank[at];
    }
};

// Where a page that could hold from..end - 1 ends instead: after a blank line in its
// last half, as paragraphs break; else before the kept span that end would split.
int automaticCut(const Axis& axis, int from, int end, double fits)
{
    auto whole = [&](int cut) { return !axis.splits(axis.start(cut), fits); };
    for (int cut = end; cut > from + 1 && axis.start(cut) - axis.start(from) >= fits / 2; --cut)
        if (axis.blankBefore(cut) && whole(cut))
            return cut;
    int cut = end;
    while (cut > from + 1 && !whole(cut))
        --cut;
    return whole(cut) ? cut : end;
}

// Splits the axis into runs that fit `room` at `scale`, starting a run at every manual
// break that counts and cutting automatically where automaticCut says.
std::vector<std::pair<int, int>> cutRuns(const Axis& axis, double room, double scale, bool manualBreaks)
{
    auto manualAt = [&](int i) {
        return manualBreaks && std::binary_search(axis.breaks.begin(), axis.breaks.end(), i);
    };
    std::vector<std::pair<int, int>> runs;
    for (int from = axis.first; from <= axis.last;) {
        // A run that starts past the titles prints them too; the epsilon keeps an exact fit whole.
        const double fits = room / scale - (from > axis.titles ? axis.titleSize() : 0) + 1e-6;
        auto length = [&](int end) { return axis.start(end) - axis.start(from); };
        int end = from + 1;
        while (end <= axis.last && !manualAt(end) && length(end + 1) <= fits)
            ++end;
        if (end > axis.last && length(end) + axis.runOn > fits && axis.last > from)
            end = axis.last;   // the last one goes over with the text running on from it
        if (end <= axis.last && !manualAt(end))
            end = automaticCut(axis, from, end, fits);
        runs.emplace_back(from, end - 1);
        from = end;
    }
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

// The rows and columns of the range with what a cut must respect: pictures stay whole
// in both directions, texts running on over empty cells stay whole across columns, and
// the texts that run on past the range's last column widen its last page. Blank rows
// are where pages break best.
std::pair<Axis, Axis> axesOf(const Book& book, const SheetGeometry& g, const Block& range)
{
    const PrintSetup& setup = book.Print();
    Axis rows{range.row1, range.row2, [&g](int r) { return double(g.rowTop(r)); }, setup.titleRows, book.RowPageBreaks()};
    Axis cols{range.col1, range.col2, [&g](int c) { return double(g.colLeft(c)); }, setup.titleColumns,
              book.ColumnPageBreaks()};
    for (const PictureObject* picture : book.PictureObjects(book.CurrentSheet())) {
        const QRectF r = g.anchorRect(picture->anchor);
        rows.whole.emplace_back(r.top(), r.bottom());
        cols.whole.emplace_back(r.left(), r.right());
    }
    const double rangeRight = g.colLeft(range.col2 + 1);
    const int sheet = book.CurrentSheet();
    for (int row = range.row1; row <= range.row2; ++row) {
        const double top = g.rowTop(row), bottom = g.rowTop(row + 1);
        rows.blank.push_back(std::none_of(rows.whole.begin(), rows.whole.end(),
                                          [&](auto span) { return span.first < bottom && span.second > top; }));
        if (g.rowHeight(row) == 0)
            continue;
        for (int col = range.col1; col <= range.col2; ++col) {
            const CellFormat& format = book.CellFormatAt(sheet, row, col);
            if (format.pattern.pattern > 0 || format.borders != Borders{})
                rows.blank.back() = false;
            if (book.SheetShownText(row, col).empty())
                continue;
            rows.blank.back() = false;
            const QRect text = textArea(book, g, row, col);
            if (text.right() + 1 > g.colLeft(col + 1))
                cols.whole.emplace_back(text.left(), std::min<double>(text.right() + 1, rangeRight));
            cols.runOn = std::max(cols.runOn, text.right() + 1 - rangeRight);
        }
    }
    return {std::move(rows), std::move(cols)};
}

// What fitting to pages across and down needs: the largest scale up to 1 at which the
// cut gives no more pages than asked (0 pages: as many as the other direction leaves).
double fitScale(const PrintSetup& setup, const Axis& rows, const Axis& cols, const QSizeF& area)
{
    auto needs = [](const Axis& axis, int pages, double room) {
        if (pages <= 0)
            return 1.0;
        const double length = axis.start(axis.last + 1) + axis.runOn - axis.start(axis.first);
        return length > 0 ? room * pages / (length + (pages - 1) * axis.titleSize()) : 1.0;
    };
    double scale = std::min({1.0, needs(cols, setup.pagesWide, area.width()), needs(rows, setup.pagesTall, area.height())});
    // Whole pictures and texts can leave a page short: shrink on until the pages suffice.
    for (int tries = 0; tries < 60; ++tries) {
        const bool across = setup.pagesWide <= 0 || cutRuns(cols, area.width(), scale, false).size() <= std::size_t(setup.pagesWide);
        const bool down = setup.pagesTall <= 0 || cutRuns(rows, area.height(), scale, false).size() <= std::size_t(setup.pagesTall);
        if (across && down)
            break;
        scale *= 0.97;
    }
    return scale;
}

// Paints `block` with its top-left corner at `origin` of the page's cell area.
void paintAt(QPainter& p, const Book& book, const SheetGeometry& g, const Block& block, QPointF origin, int runOnRight)
{
    p.save();
    p.translate(origin - QPointF(g.colLeft(block.col1), g.rowTop(block.row1)));
    paintBlock(p, book, g, block, PaintOptions{false, true, runOnRight});
    p.restore();
}

// A page's cells with the print titles that it does not hold itself above and beside them.
void paintPage(QPainter& p, const Book& book, const SheetGeometry& g, const Block& b, int runOnRight)
{
    const PrintSetup& setup = book.Print();
    const int titleRows = b.row1 > setup.titleRows ? setup.titleRows : 0;
    const int titleCols = b.col1 > setup.titleColumns ? setup.titleColumns : 0;
    const double top = titleRows > 0 ? g.rowTop(titleRows + 1) - g.rowTop(1) : 0;
    const double left = titleCols > 0 ? g.colLeft(titleCols + 1) - g.colLeft(1) : 0;
    if (titleRows > 0 && titleCols > 0)
        paintAt(p, book, g, {1, 1, titleRows, titleCols}, {0, 0}, 0);
    if (titleRows > 0)
        paintAt(p, book, g, {1, b.col1, titleRows, b.col2}, {left, 0}, runOnRight);
    if (titleCols > 0)
        paintAt(p, book, g, {b.row1, 1, b.row2, titleCols}, {0, top}, 0);
    paintAt(p, book, g, b, {left, top}, runOnRight);
}

}

PageCut cutPages(const Book& book, const SheetGeometry& g, const QSizeF& area)
{
    const PrintSetup& setup = book.Print();
    const Block range = rangeOf(book);
    const auto [rows, cols] = axesOf(book, g, range);
    PageCut cut;
    cut.scale = setup.fitToPages ? fitScale(setup, rows, cols, area) : std::clamp(setup.scale, 10, 400) / 100.0;
    // A direction fitted to a number of pages ignores its manual breaks, as spreadsheet programs do.
    const auto across = cutRuns(cols, area.width(), cut.scale, !setup.fitToPages || setup.pagesWide <= 0);
    const auto down = cutRuns(rows, area.height(), cut.scale, !setup.fitToPages || setup.pagesTall <= 0);
    cut.runOnRight = int(std::ceil(cols.runOn));
    // Pages of the range that would show nothing are left out; an empty range still prints one page.
    for (auto [c1, c2] : across)
        for (auto [r1, r2] : down)
            if (Block page{r1, c1, r2, c2}; printsAnything(book, g, page))
                cut.pages.push_back(page);
    if (cut.pages.empty())
        cut.pages.push_back({down.front().first, across.front().first, down.front().second, across.front().second});
    return cut;
}

namespace {

struct PageArea {
    double toDevice;  // 96-dpi pixels to device pixels
    QSizeF page;      // the paintable page in 96-dpi pixels
    QSizeF cells() const { return {page.width(), std::max(1.0, page.height() - 2 * kBand)}; }
};

PageArea pageAreaOf(const QPrinter& printer)
{
    const double toDevice = printer.resolution() / 96.0;
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    return {toDevice, QSizeF(paper.width() / toDevice, paper.height() / toDevice)};
}

SheetGeometry geometryOf(const Book& book)
{
    SheetGeometry g;
    g.rebuild(book.data().sheets[static_cast<std::size_t>(book.CurrentSheet()) - 1], book.data().styles);
    return g;
}

}

PageCut cutPages(const Book& book, const QPrinter& printer)
{
    return cutPages(book, geometryOf(book), pageAreaOf(printer).cells());
}

void applyPageSetup(const Book& book, QPrinter& printer)
{
    printer.setPageOrientation(book.Print().landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int printSheet(const Book& book, QPrinter& printer)
{
    const SheetGeometry g = geometryOf(book);
    const PageArea area = pageAreaOf(printer);
    const PageCut cut = cutPages(book, g, area.cells());

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
    const int rangeEnd = rangeOf(book).col2;
    for (std::size_t i = 0; i < cut.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        fields.page = int(i) + 1;
        const Block& b = cut.pages[i];
        p.save();
        p.scale(area.toDevice, area.toDevice);
        const double width = area.page.width(), height = area.page.height();
        drawBand(p, QString::fromStdString(setup.header), fields, QRectF(0, 0, width, kBand));
        drawBand(p, QString::fromStdString(setup.footer), fields, QRectF(0, height - kBand, width, kBand));
        p.translate(0, kBand);
        p.scale(cut.scale, cut.scale);
        paintPage(p, book, g, b, b.col2 == rangeEnd ? cut.runOnRight : 0);
        p.restore();
    }
    p.end();
    return int(cut.pages.size());
}

}
