// "Sample.vqa": a small company's scorecard with two years of actuals, its budgets,
// comments and plans, shown on its last month as the program would show it.
#include "tools/scorecard_files/scorecard_files.h"
#include "tools/scorecard_files/template_cells.h"

#include "common/layout/kpi_format.h"

#include <cmath>
#include <cstdint>

namespace ks::scorecard::files {

using namespace layout;
using workbook::Book;

namespace {
struct SampleKpi {
    const char* name;
    const char* type;
    const char* decimals;
    int kind;
    double target;  // of the first month; grows by `growth` a year
    double growth;
};

constexpr SampleKpi kKpis[] = {
    {"Sales Revenue", "currency", "0", 1, 85000, 0.08},
    {"Gross Margin", "percent", "1", 1, 0.42, 0.02},
    {"New Customers", "number", "0", 1, 40, 0.10},
    {"Marketing Spend", "currency", "0", 2, 6000, 0.05},
    {"Customer Satisfaction", "percent", "0", 1, 0.88, 0.01},
    {"Average Order Value", "currency", "2", 1, 152.5, 0.04},
    {"Staff Costs", "currency", "0", 2, 31000, 0.03},
    {"Units Shipped", "number", "0", 1, 2600, 0.07},
    {"Repeat Purchase Rate", "percent", "1", 1, 0.35, 0.03},
    {"Customer Complaints", "number", "0", 2, 12, -0.10},
    {"Website Visits", "number", "0", 1, 18000, 0.15},
    {"Overheads", "currency", "0", 2, 14500, 0.02},
};
constexpr int kSampleMonths = 24, kBudgetMonths = 36;

// A repeatable spread of actuals around their targets.
class Spread {
public:
    double next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_ = 20240101;
};

double rounded(double value, const SampleKpi& kpi)
{
    int places = (kpi.decimals[0] == '2' ? 2 : kpi.decimals[0] == '1' ? 1 : 0) +
                 (std::string(kpi.type) == "percent" ? 2 : 0);
    double scale = std::pow(10.0, places);
    return std::round(value * scale) / scale;
}

const char* commentFor(double actual, double target, int kind, int variant)
{
    static const char* const ahead[] = {"Ahead of plan after a strong finish to the month.",
                                        "Better than budget; keep the momentum going."};
    static const char* const behind[] = {"Behind plan; the team is reviewing the causes.",
                                         "Short of target after a slow start to the month."};
    bool good = kind == setup::kExpenseKind ? actual <= target : actual >= target;
    return good ? ahead[variant % 2] : behind[variant % 2];
}

void putTexts(Book& book, int line, int firstCol, int count, const char* const* phrases, int phraseCount, int j)
{
    for (int i = 0; i < count; ++i)
        book.setBookText(kSectionTexts, texts::lineRow(line), firstCol + i, phrases[(j + i) % phraseCount]);
}

void fillSectionTexts(Book& book, int j)
{
    static const char* const successes[] = {"Signed a supply agreement with a regional retailer.",
                                            "Launched the spring product range on time.",
                                            "Won a local business award for customer service.",
                                            "Reduced delivery times to two days."};
    static const char* const obstacles[] = {"Supplier delays on two best-selling lines.",
                                            "One sales position still vacant.",
                                            "Higher freight costs than expected.",
                                            "Website outage over a weekend."};
    static const char* const marketing[] = {"Run an email campaign to lapsed customers.",
                                            "Attend the trade fair in the spring.",
                                            "Refresh the product pages on the website.",
                                            "Start a referral offer for existing customers."};
    static const char* const financial[] = {"Review pricing on low-margin products.",
                                            "Negotiate longer payment terms with suppliers.",
                                            "Chase debtors over 60 days weekly.",
                                            "Prepare next year's budget by the end of the quarter."};
    static const char* const innovation[] = {"Trial a subscription offer for regular buyers.",
                                             "Test a new packaging design.",
                                             "Evaluate an online booking tool."};
    static const char* const systems[] = {"Document the order-to-delivery process.",
                                          "Move stock records to the new system.",
                                          "Introduce a weekly sales meeting."};
    putTexts(book, j, texts::kSuccessCol, 2, successes, 4, j);
    putTexts(book, j, texts::kObstacleCol, 1 + j % 2, obstacles, 4, j);
    putTexts(book, j, texts::kMarketingCol, 3, marketing, 4, j);
    putTexts(book, j, texts::kFinancialCol, 2, financial, 4, j);
    putTexts(book, j, texts::kInnovationCol, 2, innovation, 3, j);
    putTexts(book, j, texts::kSystemsCol, 1, systems, 3, j);
}

void fillKpis(Book& book)
{
    Spread spread;
    for (int k = 1; k <= static_cast<int>(std::size(kKpis)); ++k) {
        const SampleKpi& kpi = kKpis[k - 1];
        book.setBookText(kSetup, setup::kpiRow(k), setup::kNameCol, kpi.name);
        book.setBookText(kSetup, setup::kpiRow(k), setup::kFormatTypeCol, kpi.type);
        book.setBookText(kSetup, setup::kpiRow(k), setup::kDecimalsCol, kpi.decimals);
        book.setBookNumber(kSetup, setup::kindRow(k), setup::kKindCol, kpi.kind);
        for (int j = 0; j < kBudgetMonths; ++j) {
            double season = 1 + 0.06 * std::sin(j * 3.14159265358979 / 6);
            double target = rounded(kpi.target * (1 + kpi.growth * j / 12) * season, kpi);
            book.setBookNumber(kHistory, history::targetRow(j), history::kpiCol(k), target);
            if (j >= kSampleMonths)
                continue;
            double actual = rounded(target * (0.9 + 0.2 * spread.next()), kpi);
            book.setBookNumber(kHistory, history::actualRow(j), history::kpiCol(k), actual);
            if ((j + k) % 3 == 0)
                book.setBookText(kKpiComments, texts::lineRow(j), texts::commentCol(k),
                                 commentFor(actual, target, kpi.kind, j + k));
        }
    }
}

std::string shownText(const std::string& history)
{
    return history == "0" ? "" : history;
}

// The month view as the program leaves it after choosing the month and formatting.
void showSelectedMonth(Book& book)
{
    for (int k = 1; k <= kKpiCount; ++k) {
        int row = month::kpiRow(k);
        if (book.BookText(kMonthView, row, month::kNameCol).empty())
            continue;
        book.setBookNumber(kMonthView, row, month::kActualCol,
                           book.BookNumber(kHistory, history::kSelectedActualRow, history::kpiCol(k)));
        book.setBookNumber(kMonthView, row, month::kTargetCol,
                           book.BookNumber(kHistory, history::kSelectedTargetRow, history::kpiCol(k)));
        book.setBookText(kMonthView, row, month::kCommentCol,
                         shownText(book.BookText(kKpiComments, texts::kSelectedRow, texts::commentCol(k))));
        std::string format = kpiNumberFormat(book.BookText(kSetup, setup::kpiRow(k), setup::kFormatTypeCol),
                                             book.BookText(kSetup, setup::kpiRow(k), setup::kDecimalsCol));
        book.setSelectionReference(kpiName(k));
        book.setSelectionNumberFormat(format);
        // The set-up sheet's sample shows the same format, as the format buttons leave it.
        book.setSelectionReference(absCell(kSetup, setup::kpiRow(k), setup::kFormatSampleCol));
        book.setSelectionNumberFormat(format);
    }
    for (int row = month::kSuccessFirstRow; row <= month::kInnovationLastRow; ++row)
        for (int col : {month::kLeftTextCol, month::kRightTextCol})
            if (int line = texts::sectionColumn(row, col))
                book.setBookText(kMonthView, row, col, shownText(book.BookText(kSectionTexts, texts::kSelectedRow, line)));
    const std::pair<int, int> sections[] = {{month::kSuccessListId, month::kSuccessHeaderRow},
                                            {month::kPlanListId, month::kPlanHeaderRow},
                                            {month::kInnovationListId, month::kInnovationHeaderRow}};
    for (auto [id, headerRow] : sections) {
        for (const SampleKpi& kpi : kKpis)
            book.AppendListItem(id, kpi.name);
        book.setListSelection(id, 0);
        book.setBookText(kMonthView, headerRow, month::kSectionNameCol, book.ListItemText(id, 0));
    }
}
}

void buildSample(Book& book, int year, int monthOfYear)
{
    int last = year * 12 + monthOfYear - 2;  // months since year 0, of the month before
    int first = last - (kSampleMonths - 1);
    int startYear = first / 12, startMonth = first % 12 + 1;
    buildTemplate(book, startYear);
    book.setBookText(kSetup, setup::kHistoryMonthRow, setup::kHistoryCol, monthName(startMonth));
    // The financial year starts in the first January of the history.
    book.setBookText(kSetup, setup::kFyYearRow, setup::kFyYearCol, std::to_string(startMonth == 1 ? startYear : startYear + 1));
    book.setBookText(kMonthView, month::kCompanyRow, month::kCompanyCol, "Harbourview Trading Co.");
    fillKpis(book);
    for (int j = 0; j < kSampleMonths; ++j)
        fillSectionTexts(book, j);
    book.setListSelection(month::kMonthListId, last % 12);
    book.setListSelection(month::kYearListId, (last / 12) % 10);
    showSelectedMonth(book);
    book.setCurrentSheet(kMonthView);
    book.SelectBlock(1, 1, 1, 1);
    book.RecalculateBook();
}

}
