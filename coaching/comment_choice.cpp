#include "coaching/comment_choice.h"

#include <array>
#include <cmath>

namespace ks {
namespace {

// Month rating a (rows) by year-to-date rating b (columns 1-5, then any other b).
const std::array<std::array<const char*, 6>, 5> kMainTable{{
    {"wellbelowbudget_belowytd", "belowbudget_belowytd", "belowbudget_meetytd", "belowbudget_upytd",
     "belowbudget_upytd", "bad"},
    {"wellbelowbudget_belowytd", "belowbudget_belowytd", "belowbudget_meetytd", "belowbudget_upytd",
     "wellbelowbudget_upytd", "missedbudget"},
    {"metbudget_belowytd", "metbudget_belowytd", "metbudget_metytd", "metbudget_upytd", "metbudget_upytd",
     "metbudget"},
    {"upbudget_belowytd", "upbudget_belowytd", "upbudget_metYTD", "upbudget_upytd", "wellupbudget_upytd", "good"},
    {"wellupbudget_upytd", "upbudget_belowytd", "upbudget_metYTD", "upbudget_upytd", "upbudget_upytd", "good"},
}};

// 1 to 5 when the rating is exactly that whole number, else 0.
int exactRating(double rating)
{
    for (int r = 1; r <= 5; ++r)
        if (rating == r)
            return r;
    return 0;
}

const char* const kSectionWords[7] = {"Comments", "Major Success", "Major Obstacles", "Marketing",
                                      "Finance", "Innovation", "Systems"};
const char* const kSectionVideos[7] = {"", "Success_comments.wmv", "obstacles_comments.wmv",
                                       "SalesMark_comments.wmv", "Financial_comments.wmv",
                                       "innovation_comments.wmv", "Systems_comments.wmv"};

}

int roundHalfEven(double v) { return int(std::nearbyint(v)); }

QString commentVideoFile(double monthRating, double ytdRating, double kind, double target, double actual)
{
    if (target == 0 && actual != 0)
        return "Actualbut_NoBudget.wmv";
    const int a = exactRating(monthRating);
    switch (roundHalfEven(kind)) {
    case 2:
        if (a == 1 || a == 2) return "/expense/Expense_belowbudget.wmv";
        if (a == 3) return "/expense/Expense_metbudget.wmv";
        if (a == 4 || a == 5) return "/expense/Expense_upbudget.wmv";
        return QString();
    case 1:
    case 3: {
        if (a == 0)
            return QString();
        const int b = exactRating(ytdRating);
        return QString(kMainTable[size_t(a - 1)][size_t(b == 0 ? 5 : b - 1)]) + ".wmv";
    }
    default:
        return QString();
    }
}

int sectionAt(int row, int column)
{
    if (column != 5 && column != 6)
        return -1;
    const int second = column == 6 ? 1 : 0;
    if (row >= 3 && row <= 23) return 0;
    if (row >= 25 && row <= 26) return 1 + second;
    if (row >= 30 && row <= 37) return 3 + second;
    if (row >= 39 && row <= 45) return 5 + second;
    return -1;
}

QString sectionVideoFile(int section)
{
    return section >= 1 && section <= 6 ? QString(kSectionVideos[section]) : QString();
}

QString kpiCommentVideoFile(double ratio, double kind)
{
    const bool expense = roundHalfEven(kind) == 2;
    if (ratio == 0)
        return "KPi_comments_nodata.wmv";
    if (ratio == 1)
        return expense ? "/expense/Expense_metbudget_comment_silent.wmv" : "KPIComments_metbudget.wmv";
    if (ratio > 1)
        return expense ? "/expense/Expense_upbudget_coment_silent.wmv" : "KPIcomments_abovebudget.wmv";
    return expense ? "/expense/Expense_belowbudget_comment_silent.wmv" : "KPIComments_downbudget.wmv";
}

QString sectionNotice(int section)
{
    const QString sentence = QString("Switched to silent mode for the %1 section as the coach has already commented.")
                                 .arg(kSectionWords[section]);
    const QString hint = section == 0
        ? "To reset 'the Coach', click the RES button below and then click back on your scorecard."
        : "To listen to 'the Coach' again, click the RES button below and then click back on your scorecard.";
    return sentence + "\r\n\r\n" + hint;
}

QString welcomeVideoFile(double lateFlag, double monthsLate, double guard)
{
    if (guard == 0)
        lateFlag = monthsLate = 0;
    if (lateFlag == 0)
        return "Welcome_ontime.wmv";
    if (lateFlag != 1)
        return QString();
    if (monthsLate == 1) return "Welcome_onemonthlate.wmv";
    if (monthsLate == 2) return "welcome_2monthslate.wmv";
    if (monthsLate == 3) return "Welcome_3monthslate.wmv";
    if (monthsLate == 4) return "Welcome_4monthslate.wmv";
    if (monthsLate > 4) return "welcome_over5monthslate.wmv";
    return QString();
}

}
