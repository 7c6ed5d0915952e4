#pragma once
// The number-format procedures of the KPI formats.
#include <QString>

namespace ks {

// "0", "1" or "2": the decimals of the format FormatDecimals last returned.
extern QString DecimalCount;

// The currency symbol of the user's locale; "$" where the locale has none.
QString CurrencyString();
// Adds (increase non-zero) or removes one decimal of a number format and sets DecimalCount.
QString FormatDecimals(const QString& numberFormat, int increase);

}
