#include "coaching/comment_choice.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(CommentChoice, EveryCellOfTheMainTable)
{
    const char* expected[5][6] = {
        {"wellbelowbudget_belowytd", "belowbudget_belowytd", "belowbudget_meetytd", "belowbudget_upytd",
         "belowbudget_upytd", "bad"},
        {"wellbelowbudget_belowytd", "belowbudget_belowytd", "belowbudget_meetytd", "belowbudget_upytd",
         "wellbelowbudget_upytd", "missedbudget"},
        {"metbudget_belowytd", "metbudget_belowytd", "metbudget_metytd", "metbudget_upytd", "metbudget_upytd",
         "metbudget"},
        {"upbudget_belowytd", "upbudget_belowytd", "upbudget_metYTD", "upbudget_upytd", "wellupbudget_upytd", "good"},
        {"wellupbudget_upytd", "upbudget_belowytd", "upbudget_metYTD", "upbudget_upytd", "upbudget_upytd", "good"},
    };
    const double others[6] = {1, 2, 3, 4, 5, 2.5};
    for (int a = 1; a <= 5; ++a)
        for (int b = 0; b < 6; ++b)
            for (double kind : {1.0, 3.0, 0.6, 3.4})
                EXPECT_EQ(commentVideoFile(a, others[b], kind, 100, 90), QString(expected[a - 1][b]) + ".wmv")
                    << a << " " << others[b] << " kind " << kind;
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
