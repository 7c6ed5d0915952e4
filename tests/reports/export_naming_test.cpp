#include "reports/export_naming.h"

#include <gtest/gtest.h>

using namespace ks::reports;

TEST(ExportNaming, AFreshReportIsOfferedAsReportBesideTheScorecard)
{
    EXPECT_EQ(proposedExportName("/app/actbud.rt", "/app/actbud.rt", "/home/u/cards/Shop.vqa", "/app"),
              "/home/u/cards/Report.xlsx");
    EXPECT_EQ(proposedExportName("/app/ACTBUD.RT", "/app/actbud.rt", "/home/u/cards/Shop.vqa", "/app"),
              "/home/u/cards/Report.xlsx") << "the template is recognised whatever its letter case";
    EXPECT_EQ(proposedExportName("", "/app/actbud.rt", "", "/app"), "/app/Report.xlsx")
        << "without a scorecard the program folder";
}

TEST(ExportNaming, AnExportedReportIsOfferedUnderItsOwnName)
{
    EXPECT_EQ(proposedExportName("/home/u/out/Q1.xlsx", "/app/actbud.rt", "/home/u/cards/Shop.vqa", "/app"),
              "/home/u/out/Q1.xlsx");
    EXPECT_EQ(proposedExportName("/home/u/out/Q1.vqa", "/app/actbud.rt", "", "/app"), "/home/u/out/Q1.xlsx");
}

TEST(ExportNaming, TheTemplateAndTheScorecardAreKept)
{
    const std::vector<std::string> kept = {"/app/actbud.rt", "/home/u/cards/Shop.vqa"};
    EXPECT_TRUE(namesKeptFile("/app/actbud.rt", kept));
    EXPECT_TRUE(namesKeptFile("/app/./sub/../Actbud.RT", kept));
    EXPECT_TRUE(namesKeptFile("/home/u/cards/Shop.vqa", kept));
    EXPECT_FALSE(namesKeptFile("/home/u/cards/Shop.xlsx", kept));
    EXPECT_FALSE(namesKeptFile("/app/actbud.rt", {"", ""})) << "an empty kept name keeps nothing";
}
