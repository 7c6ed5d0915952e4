#pragma once
// A book the size and shape of a scorecard: 8 sheets, 20 KPIs, a history of
// 72 months (four rows a month on sheet 8), year-to-date helpers, month-selection
// lookups and ratings, about 6,500 formulas.
#include "platform/workbook/engine/book.h"

namespace ks::workbook::bench {

constexpr int kMonths = 72;
constexpr int kKpis = 20;

void buildScorecardBook(Book& book);

}
