#include "platform/diagram/header_footer.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

namespace ks::diagram {
namespace {

TEST(HeaderFooterTest, ThePartsAreLeftCentreAndRightWithThePageNumberFilledIn)
{
    EXPECT_EQ(headerFooterParts("|<PAGE>|", 7), (QStringList{"", "7", ""}));
    EXPECT_EQ(headerFooterParts("Plan|Page <PAGE>|Draft", 2), (QStringList{"Plan", "Page 2", "Draft"}));
    EXPECT_EQ(headerFooterParts("<page> of many", 3), (QStringList{"3 of many", "", ""}));
}

TEST(HeaderFooterTest, MissingPartsAreEmptyAndExtraBarsStayInTheRightPart)
{
    EXPECT_EQ(headerFooterParts("", 1), (QStringList{"", "", ""}));
    EXPECT_EQ(headerFooterParts("Left only", 1), (QStringList{"Left only", "", ""}));
    EXPECT_EQ(headerFooterParts("a|b", 1), (QStringList{"a", "b", ""}));
    EXPECT_EQ(headerFooterParts("a|b|c|d", 1), (QStringList{"a", "b", "c|d"}));
}

}
}
