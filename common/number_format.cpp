#include "common/number_format.h"

#include <QLocale>

namespace ks {

QString DecimalCount;

QString CurrencyString()
{
    // The whole symbol: the first character of a formatted amount is a digit
    // where the sign follows the number, and only a part of "CHF" or "kr".
    // The C and POSIX locales name no currency; the formats' own sign stays then.
    const QString symbol = QLocale().currencySymbol(QLocale::CurrencySymbol);
    return symbol.isEmpty() ? QStringLiteral("$") : symbol;
}

QString FormatDecimals(const QString& numberFormat, int increase)
{
    QString f = numberFormat;
    if (increase != 0) {
        if (f.contains("0."))
            f.replace("0.", "0.0");
        else
            f.replace("0", "0.0");
    } else {
        f.replace("0.0", "0.");
        if (f.endsWith("0.") || f.contains("0.;"))
            f.replace("0.", "0");
        if (f.endsWith("0.") || f.contains("0._"))
            f.replace("0.", "0");
        f.replace("0.%", "0%");
    }
    DecimalCount = f.contains("0.00") ? "2" : f.contains("0.0") ? "1" : "0";
    return f;
}

}
