// The KPI number formats on the month and bulk views, for the charts, and the
// set-up sheet's format buttons.
#include "common/layout/kpi_format.h"
#include "common/number_format.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/spread_form.h"

namespace ks {

namespace {

constexpr int kSetupSheet = 2, kSampleColumn = 4, kTypeColumn = 6, kDecimalsColumn = 7;
constexpr int kFirstKpiRow = 3, kLastKpiRow = 22, kKpiCount = 20;

std::string kpiFormat(const WorkbookControl& book, int kpi)
{
    const int row = kpi + 2;
    return scorecard::layout::kpiNumberFormat(book.BookText(kSetupSheet, row, kTypeColumn),
                                              book.BookText(kSetupSheet, row, kDecimalsColumn));
}

QString formatType(const QString& format)
{
    if (format.contains('$'))
        return QStringLiteral("currency");
    return format.contains('%') ? QStringLiteral("percent") : QStringLiteral("number");
}

}

void SpreadForm::formatNamedCells(const QString& suffix, const QString& caption)
{
    try {
        for (int n = 1; n <= kKpiCount; ++n) {
            const std::string format = kpiFormat(*F1BookMain, n);
            const std::string name = "KPI_" + std::to_string(n) + suffix.toStdString();
            F1BookMain->setSelectionReference(F1BookMain->NameReference(name));
            F1BookMain->setSelectionNumberFormat(format);
            if (format.front() == '$') {
                QString shown = QString::fromStdString(F1BookMain->SelectionNumberFormat());
                shown.replace('$', CurrencyString().left(1));
                F1BookMain->setSelectionNumberFormat(shown.toStdString());
            }
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
        throw;
    }
}

void SpreadForm::Formatcells() { formatNamedCells(QString(), QStringLiteral("Error in formatBulk cells")); }

void SpreadForm::FormatcellsBulk() { formatNamedCells(QStringLiteral("_bulk"), QStringLiteral("Error in format cells")); }

// Only the KPI rows of the set-up sheet hold a type and decimals; other rows keep their cells.
void SpreadForm::writeSetupFormat(int firstRow, int lastRow, const QString& type)
{
    for (int r = std::max(firstRow, kFirstKpiRow); r <= std::min(lastRow, kLastKpiRow); ++r) {
        F1BookMain->setBookText(kSetupSheet, r, kTypeColumn, type.toStdString());
        F1BookMain->setBookText(kSetupSheet, r, kDecimalsColumn, DecimalCount.toStdString());
    }
}

void SpreadForm::changeDecimals(int increase, const QString& caption)
{
    try {
        if (increase)
            DecimalCount = QStringLiteral("0");
        else
            DecimalCount.clear();
        const auto block = F1BookMain->GetSelectedBlock();
        if (block.col1 != kSampleColumn || (!increase && block.row1 >= 24))
            return;
        const QString format = QString::fromStdString(F1BookMain->SelectionNumberFormat());
        F1BookMain->setSelectionNumberFormat(FormatDecimals(format, increase).toStdString());
        writeSetupFormat(block.row1, block.row2, formatType(QString::fromStdString(F1BookMain->SelectionNumberFormat())));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
    }
}

void SpreadForm::IncreaseDecimal() { changeDecimals(1, QStringLiteral("Error : Sub IncreaseDecimal")); }

void SpreadForm::DecreaseDecimal() { changeDecimals(0, QStringLiteral("Error : Sub DecreaseDecimal")); }

void SpreadForm::ApplyFixedFormat(FixedFormat format)
{
    static const struct { const char* format; const char* type; } kFixed[] = {
        {"$#,##0;($#,##0)", "currency"}, {"0%;(0%)", "percent"}, {"#,##0;(#,##0)", "number"}};
    const auto& fixed = kFixed[static_cast<int>(format)];
    Reports->KPIFormat = QString::fromLatin1(fixed.format);
    F1BookMain->setSelectionNumberFormat(fixed.format);
    const auto block = F1BookMain->GetSelectedBlock();
    if (block.col1 == kSampleColumn && block.row1 >= kFirstKpiRow && block.row1 <= kLastKpiRow) {
        DecimalCount = QStringLiteral("0");
        writeSetupFormat(block.row1, block.row2, QString::fromLatin1(fixed.type));
    }
}

}
