#include "platform/workbook/view/cell_painter.h"

#include <QCache>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string_view>

namespace ks::workbook::view {

namespace {

const QColor kGridColor(0xD0, 0xD7, 0xE5);

Qt::BrushStyle brushOfPattern(int pattern)
{
    static const Qt::BrushStyle styles[] = {Qt::Dense4Pattern, Qt::Dense2Pattern, Qt::Dense6Pattern,
                                            Qt::HorPattern,    Qt::VerPattern,    Qt::BDiagPattern,
                                            Qt::FDiagPattern,  Qt::CrossPattern,  Qt::DiagCrossPattern};
    return styles[(pattern - 2) % int(std::size(styles))];
}

void fillCell(QPainter& p, const QRect& r, const Pattern& pattern)
{
    if (pattern.pattern <= 0)
        return;
    if (pattern.pattern == 1) {
        p.fillRect(r, colorOf(pattern.foreground));
        return;
    }
    p.fillRect(r, colorOf(pattern.background));
    p.fillRect(r, QBrush(colorOf(pattern.foreground), brushOfPattern(pattern.pattern)));
}

QPen penOfBorder(int style, std::int32_t color)
{
    QPen pen(colorOf(color));
    pen.setCosmetic(false);
    switch (style) {
    case 2: pen.setWidthF(2); break;                          // medium
    case 3: pen.setStyle(Qt::DashLine); break;                // dashed
    case 4: pen.setStyle(Qt::DotLine); break;                 // dotted
    case 5: pen.setWidthF(3); break;                          // thick
    case 6: pen.setWidthF(3); break;                          // double, drawn heavy
    case 7: pen.setStyle(Qt::DotLine); pen.setWidthF(0.5); break;  // hair
    default: pen.setWidthF(1); break;
    }
    return pen;
}

void drawBorders(QPainter& p, const QRect& r, const Borders& b)
{
    auto edge = [&](int style, std::int32_t color, QPointF from, QPointF to) {
        if (style <= 0)
            return;
        p.setPen(penOfBorder(style, color));
        p.drawLine(from, to);
    };
    QRectF f(r);
    edge(b.left, b.leftColor, f.topLeft(), f.bottomLeft());
    edge(b.right, b.rightColor, f.topRight(), f.bottomRight());
    edge(b.top, b.topColor, f.topLeft(), f.topRight());
    edge(b.bottom, b.bottomColor, f.bottomLeft(), f.bottomRight());
}

int alignmentOf(const CellFormat& format, const Value& value)
{
    int h = Qt::AlignLeft;
    switch (format.hAlign) {
    case HAlign::General: h = value.isNumber() || value.isBool() || value.isError() ? Qt::AlignRight : Qt::AlignLeft; break;
    case HAlign::Left: case HAlign::Fill: h = Qt::AlignLeft; break;
    case HAlign::Center: h = Qt::AlignHCenter; break;
    case HAlign::Right: h = Qt::AlignRight; break;
    case HAlign::Justify: h = Qt::AlignJustify; break;
    }
    int v = format.vAlign == VAlign::Top ? Qt::AlignTop : format.vAlign == VAlign::Center ? Qt::AlignVCenter : Qt::AlignBottom;
    return h | v | (format.wrap ? Qt::TextWordWrap : 0);
}

// A left-aligned text that does not fit runs on over the empty cells to its right.
QRect textRect(const Book& book, const SheetGeometry& g, int row, int col, QRect r, const CellFormat& format,
               const Value& value, const QString& text)
{
    bool leftAligned = format.hAlign == HAlign::Left || (format.hAlign == HAlign::General && value.isText());
    if (!leftAligned || format.wrap)
        return r;
    int needed = QFontMetrics(fontOf(format.font)).horizontalAdvance(text) + 4;
    int sheet = book.CurrentSheet();
    for (int next = col + 1; r.width() < needed && next <= kMaxColumns && next <= col + 16; ++next) {
        if (!book.BookValue(sheet, row, next).isEmpty())
            break;
        r.setRight(r.right() + g.colWidth(next));
    }
    return r;
}

void drawText(QPainter& p, const QRect& r, const CellFormat& format, const Value& value, const QString& text)
{
    if (text.isEmpty())
        return;
    p.setFont(fontOf(format.font));
    p.setPen(colorOf(format.font.color));
    p.drawText(r.adjusted(2, 1, -2, -1), alignmentOf(format, value), text);
}

// Decoding a picture costs more than drawing it, and the grid draws on every change: the
// pictures decoded last are kept, by a hash of their bytes (and their size, to be sure).
// The reference returned holds until the next call.
const QImage& decoded(const std::string& data)
{
    struct Entry {
        std::size_t size;
        QImage image;
    };
    static QCache<std::size_t, Entry> cache(64 * 1024);   // kilobytes of pixels
    const std::size_t key = std::hash<std::string_view>{}(data);
    if (const Entry* hit = cache.object(key); hit && hit->size == data.size())
        return hit->image;
    auto entry = std::make_unique<Entry>(Entry{data.size(), {}});
    entry->image.loadFromData(reinterpret_cast<const uchar*>(data.data()), int(data.size()));
    const qsizetype cost = std::max<qsizetype>(1, entry->image.sizeInBytes() / 1024);
    if (cost > cache.maxCost()) {
        static QImage large;
        large = std::move(entry->image);
        return large;
    }
    const QImage& image = entry->image;
    cache.insert(key, entry.release(), cost);
    return image;
}

void drawPictures(QPainter& p, const Book& book, const SheetGeometry& g, const QRect& area)
{
    for (const PictureObject* picture : book.PictureObjects(book.CurrentSheet())) {
        QRectF r = g.anchorRect(picture->anchor);
        if (!r.intersects(area))
            continue;
        if (const QImage& image = decoded(picture->data); !image.isNull())
            p.drawImage(r, image);
        else {
            p.setPen(Qt::gray);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);  // a picture we cannot decode still shows where it sits
        }
    }
}

void drawLists(QPainter& p, const Book& book, const SheetGeometry& g, const QRect& area)
{
    for (const ListObject* list : book.ListObjects(book.CurrentSheet())) {
        QRectF r = g.anchorRect(list->anchor);
        if (!r.intersects(area))
            continue;
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(r);
        std::string shown = list->selection >= 0 ? book.ListItemText(list->id, list->selection) : "";
        p.setFont(fontOf(Font{}));
        p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(shown));
    }
}

}

QRect textArea(const Book& book, const SheetGeometry& g, int row, int col)
{
    const QRect cell(g.colLeft(col), g.rowTop(row), g.colWidth(col), g.rowHeight(row));
    const QString text = QString::fromStdString(book.SheetShownText(row, col));
    if (text.isEmpty())
        return cell;
    const int sheet = book.CurrentSheet();
    return textRect(book, g, row, col, cell, book.CellFormatAt(sheet, row, col), book.BookValue(sheet, row, col), text);
}

QColor colorOf(std::int32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QFont fontOf(const Font& font)
{
    QFont f(QString::fromStdString(font.name));
    // Pixels at 96 dpi, so that the printer's transform scales texts like the cells.
    f.setPixelSize(std::max(1, int(std::lround((font.size > 0 ? font.size : 10) * 96 / 72))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

void paintBlock(QPainter& p, const Book& book, const SheetGeometry& g, const Block& block, const PaintOptions& options)
{
    int sheet = book.CurrentSheet();
    QRect area(QPoint(g.colLeft(block.col1), g.rowTop(block.row1)),
               QPoint(g.colLeft(block.col2 + 1) - 1, g.rowTop(block.row2 + 1) - 1));
    p.save();
    p.setClipRect(area.adjusted(0, 0, options.runOnRight, 0));
    for (int row = block.row1; row <= block.row2; ++row) {
        int h = g.rowHeight(row);
        if (h == 0)
            continue;
        for (int col = block.col1; col <= block.col2; ++col) {
            QRect r(g.colLeft(col), g.rowTop(row), g.colWidth(col), h);
            const CellFormat& format = book.CellFormatAt(sheet, row, col);
            fillCell(p, r, format.pattern);
            if (options.gridLines) {
                p.setPen(kGridColor);
                p.drawLine(r.topRight(), r.bottomRight());
                p.drawLine(r.bottomLeft(), r.bottomRight());
            }
            drawBorders(p, r, format.borders);
        }
        // Texts last, so that a text running on is not covered by its neighbours' lines.
        for (int col = block.col1; col <= block.col2; ++col) {
            QString text = QString::fromStdString(book.SheetShownText(row, col));
            if (text.isEmpty())
                continue;
            const CellFormat& format = book.CellFormatAt(sheet, row, col);
            Value value = book.BookValue(sheet, row, col);
            QRect r(g.colLeft(col), g.rowTop(row), g.colWidth(col), h);
            drawText(p, textRect(book, g, row, col, r, format, value, text), format, value, text);
        }
    }
    drawPictures(p, book, g, area);
    if (options.listObjects)
        drawLists(p, book, g, area);
    p.restore();
}

}
