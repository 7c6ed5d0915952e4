#include "platform/diagram/page_grid.h"

#include <gtest/gtest.h>

namespace ks::diagram {
namespace {

// A4 portrait in twips, and the inch margins of the preview.
const QSizeF kA4(11906, 16838);
constexpr double kMargin = 1440;

TEST(PageGridTest, ThePrintableAreaLiesInsideTheMargins)
{
    const PageGrid grid = layOutPages(kA4, kMargin, QSizeF(1000, 1000), false);
    EXPECT_EQ(grid.area, QRectF(kMargin, kMargin, kA4.width() - 2 * kMargin, kA4.height() - 2 * kMargin));
    EXPECT_EQ(grid.paper, kA4);
}

TEST(PageGridTest, ADiagramTakesAsManyPagesAsItCoversAtItsSize)
{
    const PageGrid one = layOutPages(kA4, kMargin, QSizeF(5000, 5000), false);
    EXPECT_EQ(one.pages(), 1);
    EXPECT_EQ(one.scale, 1.0);

    const QSizeF area = one.area.size();
    // Just over one page across and down: 2 x 2; exactly two pages across: 2 x 1.
    const PageGrid four = layOutPages(kA4, kMargin, QSizeF(area.width() + 100, area.height() + 100), false);
    EXPECT_EQ(four.across, 2);
    EXPECT_EQ(four.down, 2);
    EXPECT_EQ(four.pages(), 4);
    const PageGrid wide = layOutPages(kA4, kMargin, QSizeF(2 * area.width(), area.height()), false);
    EXPECT_EQ(wide.across, 2);
    EXPECT_EQ(wide.down, 1);
    EXPECT_EQ(wide.scale, 1.0);
}

TEST(PageGridTest, FittingShrinksOntoOnePageKeepingTheShapeButNeverEnlarges)
{
    const PageGrid big = layOutPages(kA4, kMargin, QSizeF(40000, 10000), true);
    EXPECT_EQ(big.pages(), 1);
    EXPECT_LT(big.scale, 1.0);
    EXPECT_LE(40000 * big.scale, big.area.width() + 1e-6);
    EXPECT_LE(10000 * big.scale, big.area.height() + 1e-6);
    EXPECT_NEAR(40000 * big.scale, big.area.width(), 1e-6);   // the wider side fills the page

    const PageGrid small = layOutPages(kA4, kMargin, QSizeF(2000, 1000), true);
    EXPECT_EQ(small.pages(), 1);
    EXPECT_EQ(small.scale, 1.0);
}

TEST(PageGridTest, AnEmptyDiagramOrATinyPaperStillGivesOnePageWithRoom)
{
    EXPECT_EQ(layOutPages(kA4, kMargin, QSizeF(0, 0), false).pages(), 1);
    EXPECT_EQ(layOutPages(kA4, kMargin, QSizeF(0, 5000), true).pages(), 1);
    // Paper smaller than two margins keeps half of itself printable.
    const PageGrid tiny = layOutPages(QSizeF(2000, 2000), kMargin, QSizeF(3000, 3000), false);
    EXPECT_GT(tiny.area.width(), 0);
    EXPECT_GT(tiny.area.height(), 0);
    EXPECT_EQ(tiny.across, 3);
}

TEST(PageGridTest, AnEnormousDiagramTakesABoundedNumberOfPages)
{
    const PageGrid huge = layOutPages(kA4, kMargin, QSizeF(1e15, 1e300), false);
    EXPECT_EQ(huge.across, kMostPages);
    EXPECT_EQ(huge.down, kMostPages);
    const PageGrid endless = layOutPages(kA4, kMargin, QSizeF(qInf(), 1000), false);
    EXPECT_GE(endless.across, 1);
    EXPECT_LE(endless.across, kMostPages);
    EXPECT_EQ(layOutPages(kA4, kMargin, QSizeF(qQNaN(), 1000), false).pages(), 1);
}

}
}
