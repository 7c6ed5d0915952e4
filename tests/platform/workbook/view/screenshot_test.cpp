#include "control_fixture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <set>

using namespace ks;
using namespace ks::test;

TEST_F(ControlTest, AFormattedSheetRendersToANonBlankPicture)
{
    workbook::Book& book = control.book();
    book.setSheetText(1, 1, "Scorecard");
    book.SelectBlock(1, 1, 1, 1);
    workbook::Font title;
    title.size = 14;
    title.bold = true;
    title.color = 0x1F3F7F;
    book.SetSelectionFont(title);
    const char* kpis[] = {"Sales", "Margin", "Staff"};
    for (int i = 0; i < 3; ++i) {
        book.setSheetText(i + 4, 1, kpis[i]);
        book.setSheetNumber(i + 4, 2, 1000.5 * (i + 1));
        book.setSheetNumber(i + 4, 3, 0.25 * (i + 1));
    }
    book.setSheetText(8, 1, "Major successes of the month run on over empty cells");
    book.SelectBlock(4, 2, 6, 2);
    book.setSelectionNumberFormat("$#,##0.00");
    book.SelectBlock(4, 3, 6, 3);
    book.setSelectionNumberFormat("0%");
    book.SetSelectionAlignment(3, false, 2, 0);
    book.SelectBlock(3, 1, 3, 3);
    book.SetSelectionPattern(1, 0xC0D8F0, 0xFFFFFF);
    book.SetSelectionBorder(-1, 1, 1, 1, 2, 0, -1, 0, 0, 0, 0);
    book.setColumnWidth(1, 16);
    book.setRowHiddenFlag(5, true);
    int list = book.AddListObject(5, 2, 7, 3, "monthcombo");
    book.AppendListItem(list, "January");
    book.setListSelection(list, 0);

    QImage chart(80, 60, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter(&chart).fillRect(10, 20, 20, 40, Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chart.save(&buffer, "PNG");
    book.AddPictureObject(5, 5, 7, 10, png.toStdString(), 7, 80, 60);
    control.PlaceCursor(4, 2);

    QImage shot = control.grab().toImage();
    ASSERT_TRUE(shot.save("workbook_screenshot.png"));
    QImage back("workbook_screenshot.png");
    ASSERT_FALSE(back.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < back.height(); y += 3)
        for (int x = 0; x < back.width(); x += 3)
            colours.insert(back.pixel(x, y));
    EXPECT_GT(colours.size(), 20u);
    // The fill of row 3 and the picture's bar are on screen.
    EXPECT_TRUE(colours.count(qRgb(0xC0, 0xD8, 0xF0)));
    EXPECT_TRUE(colours.count(QColor(Qt::darkGreen).rgb()));
}
