#include "coaching/comment_choice.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <gtest/gtest.h>

using namespace ks;

namespace {

// Year-to-date ratings: the five whole ones, then ones that match none (empty, halves).
const double kYtdRatings[] = {1, 2, 3, 4, 5, 0, 2.5};

std::filesystem::path programFolder() { return std::getenv("KS_PROGRAM_DIR"); }

}

TEST(CommentChoice, EveryRatingPairHasAClipBothCoachFoldersHold)
{
    for (int a = 1; a <= 5; ++a)
        for (double b : kYtdRatings) {
            const QString clip = commentVideoFile(a, b, 1, 100, 90);
            ASSERT_FALSE(clip.isEmpty()) << a << "/" << b;
            EXPECT_EQ(commentVideoFile(a, b, 3, 100, 90), clip) << "kinds 1 and 3 share the table";
            for (const char* folder : {"Commentvideo", "SilentVideo"})
                EXPECT_TRUE(std::filesystem::is_regular_file(programFolder() / folder / clip.toStdString()))
                    << folder << "/" << clip.toStdString() << " is played but not in the program folder";
        }
    for (int a = 1; a <= 5; ++a) {
        const std::string expense = commentVideoFile(a, 3, 2, 100, 90).toStdString();
        ASSERT_EQ(expense.rfind("/expense/", 0), 0u) << expense;
        EXPECT_TRUE(std::filesystem::is_regular_file(programFolder() / "Commentvideo" / expense.substr(1)))
            << expense;
    }
}

TEST(CommentChoice, TheClipSaysHowTheMonthAndTheYearStand)
{
    // Ratings 1 and 2 are below budget, 3 on it, 4 and 5 above; the clip's name says the same.
    auto standing = [](double rating) { return QString(rating < 3 ? "below" : rating == 3 ? "met" : "up"); };
    // Without a whole year-to-date rating the clip speaks of the month alone.
    const std::map<QString, QString> monthAlone = {
        {"bad", "below"}, {"missedbudget", "below"}, {"metbudget", "met"}, {"good", "up"}};
    for (int a = 1; a <= 5; ++a)
        for (double b : kYtdRatings) {
            const QString clip = commentVideoFile(a, b, 1, 100, 90).toLower().remove(".wmv");
            const QString where = QString("%1/%2 %3").arg(a).arg(b).arg(clip);
            if (b != int(b) || b < 1 || b > 5) {
                ASSERT_TRUE(monthAlone.count(clip)) << where.toStdString();
                EXPECT_EQ(monthAlone.at(clip), standing(a)) << where.toStdString();
                continue;
            }
            EXPECT_TRUE(clip.section('_', 0, 0).endsWith(standing(a) + "budget")) << where.toStdString();
            const QString year = clip.section('_', 1);
            if (!(a == 5 && b == 1))   // the table's own oddity, checked below
                EXPECT_TRUE(year == standing(b) + "ytd" || (b == 3 && year == "meetytd")) << where.toStdString();
        }
}

TEST(CommentChoice, TheTablesOwnOddCellsAndSpellings)
{
    EXPECT_EQ(commentVideoFile(5, 1, 1, 100, 90), "wellupbudget_upytd.wmv");
    EXPECT_EQ(commentVideoFile(2, 5, 1, 100, 90), "wellbelowbudget_upytd.wmv");
    EXPECT_EQ(commentVideoFile(1, 5, 1, 100, 90), "belowbudget_upytd.wmv");
    // Names are used exactly as the video folders spell them.
    EXPECT_EQ(commentVideoFile(2, 3, 1, 100, 90), "belowbudget_meetytd.wmv");
    EXPECT_EQ(commentVideoFile(3, 3, 1, 100, 90), "metbudget_metytd.wmv");
    EXPECT_EQ(commentVideoFile(4, 3, 1, 100, 90), "upbudget_metYTD.wmv");
    EXPECT_EQ(commentVideoFile(3, 2.5, 1, 100, 90), "metbudget.wmv");
    EXPECT_EQ(commentVideoFile(3, 0, 1, 100, 90), "metbudget.wmv") << "an empty rating matches no number";
    EXPECT_EQ(commentVideoFile(2.5, 3, 1, 100, 90), "");
    EXPECT_EQ(commentVideoFile(0, 3, 1, 100, 90), "");
    EXPECT_EQ(commentVideoFile(3, 3, 3.5, 100, 90), "") << "3.5 rounds to 4: no table";
}

TEST(CommentChoice, ExpenseTableAndActualWithoutTarget)
{
    EXPECT_EQ(commentVideoFile(1, 5, 2, 10, 5), "/expense/Expense_belowbudget.wmv");
    EXPECT_EQ(commentVideoFile(2, 1, 2.5, 10, 5), "/expense/Expense_belowbudget.wmv") << "2.5 rounds to 2";
    EXPECT_EQ(commentVideoFile(3, 1, 2, 10, 5), "/expense/Expense_metbudget.wmv");
    EXPECT_EQ(commentVideoFile(4, 1, 2, 10, 5), "/expense/Expense_upbudget.wmv");
    EXPECT_EQ(commentVideoFile(5, 1, 1.5, 10, 5), "/expense/Expense_upbudget.wmv");
    EXPECT_EQ(commentVideoFile(4.5, 1, 2, 10, 5), "");
    EXPECT_EQ(commentVideoFile(0, 0, 7, 0, 250), "Actualbut_NoBudget.wmv") << "whatever the kind and ratings";
    EXPECT_EQ(commentVideoFile(0, 0, 1, 0, -3), "Actualbut_NoBudget.wmv");
    EXPECT_EQ(commentVideoFile(3, 3, 1, 0, 0), "metbudget_metytd.wmv") << "target 0 and actual 0: the tables";
}

TEST(SectionComments, BandsVideosAndNotices)
{
    EXPECT_EQ(sectionAt(3, 5), 0);
    EXPECT_EQ(sectionAt(23, 6), 0);
    EXPECT_EQ(sectionAt(24, 5), -1);
    EXPECT_EQ(sectionAt(25, 5), 1);
    EXPECT_EQ(sectionAt(26, 6), 2);
    EXPECT_EQ(sectionAt(29, 5), -1);
    EXPECT_EQ(sectionAt(30, 5), 3);
    EXPECT_EQ(sectionAt(37, 6), 4);
    EXPECT_EQ(sectionAt(38, 5), -1);
    EXPECT_EQ(sectionAt(39, 5), 5);
    EXPECT_EQ(sectionAt(45, 6), 6);
    EXPECT_EQ(sectionAt(46, 5), -1);
    EXPECT_EQ(sectionAt(10, 4), -1);
    EXPECT_EQ(sectionVideoFile(2), "obstacles_comments.wmv");
    EXPECT_EQ(sectionVideoFile(4), "Financial_comments.wmv");

    EXPECT_EQ(kpiCommentVideoFile(0, 2), "KPi_comments_nodata.wmv");
    EXPECT_EQ(kpiCommentVideoFile(1, 1), "KPIComments_metbudget.wmv");
    EXPECT_EQ(kpiCommentVideoFile(1.2, 2), "/expense/Expense_upbudget_coment_silent.wmv");
    EXPECT_EQ(kpiCommentVideoFile(-0.5, 1), "KPIComments_downbudget.wmv");
    EXPECT_EQ(kpiCommentVideoFile(0.9, 2), "/expense/Expense_belowbudget_comment_silent.wmv");

    EXPECT_EQ(sectionNotice(0), "Switched to silent mode for the Comments section as the coach has already "
                                "commented.\r\n\r\nTo reset 'the Coach', click the RES button below and then click "
                                "back on your scorecard.");
    EXPECT_TRUE(sectionNotice(4).startsWith("Switched to silent mode for the Finance section"));
    EXPECT_TRUE(sectionNotice(4).endsWith("To listen to 'the Coach' again, click the RES button below and then "
                                          "click back on your scorecard."));
}

TEST(WelcomeVideo, ByLateness)
{
    EXPECT_EQ(welcomeVideoFile(0, 0, 1), "Welcome_ontime.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 3, 0), "Welcome_ontime.wmv") << "guard 0";
    EXPECT_EQ(welcomeVideoFile(1, 1, 1), "Welcome_onemonthlate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 2, 1), "welcome_2monthslate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 3, 1), "Welcome_3monthslate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 4, 1), "Welcome_4monthslate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 4.5, 1), "welcome_over5monthslate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 7, 1), "welcome_over5monthslate.wmv");
    EXPECT_EQ(welcomeVideoFile(1, 0, 1), "");
    EXPECT_EQ(welcomeVideoFile(1, 2.5, 1), "");
    EXPECT_EQ(welcomeVideoFile(1, -1, 1), "");
    EXPECT_EQ(welcomeVideoFile(2, 1, 1), "");
}
