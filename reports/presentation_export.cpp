// The presentation export: a title slide with the report's period, then one slide per
// reported KPI with its total, its percentage of target or variance, and its chart
// picture, in the program's design template. The presentation is written into a
// folder of its own among the user's temporary files and opened with the program
// that shows presentations.
#include "common/c_open_file.h"
#include "common/layout/scorecard_layout.h"
#include "common/paths.h"
#include "platform/runtime/app.h"
#include "platform/slides/presentation.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "reports/report_sheet.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

namespace ks::reports {

using namespace scorecard::layout;

namespace {

const QString kPresentationTitle = QStringLiteral("Summary of Results");
const QString kDesignTemplate = QStringLiteral("Summary of Results.pot");
const QString kPresentationFile = QStringLiteral("Summary of Results.pptx");
constexpr int kTitleShape = 1, kBodyShape = 2, kChartPlaceholder = 3;
constexpr double kPictureDrop = 20;   // points below the chart area

std::string utf8(const QString& text) { return text.toStdString(); }

}

QString ReportScreen::reportPeriodText() const
{
    return Combo1[0]->currentText() + QStringLiteral("-") + Combo1[1]->currentText();
}

// "Total achieved : <total>", and for an actual-and-budget report the percentage of
// target or the variance below it.
QString ReportScreen::kpiResultText(int block) const
{
    const bool percentOfTarget =
        std::nearbyint(F1BookMain->BookNumber(kSetup, setup::kVarianceRow, setup::kVarianceCol)) == 0;
    bool isNumber = false;
    const int totalCol = QString::fromStdString(reportspread->SheetText(kTotalColumnRow, kLabelCol)).toInt(&isNumber);
    if (!isNumber)
        throw RuntimeError(13, "Type mismatch");
    const int row = blockHeaderRow(block) + 1;
    QString text = QStringLiteral("Total achieved : ") + QString::fromStdString(reportspread->SheetShownText(row, totalCol));
    if (combotype->currentIndex() == kActualAndBudget) {
        const QString second = QString::fromStdString(reportspread->SheetShownText(row + 2, totalCol));
        text += QStringLiteral("\r") + (percentOfTarget ? QStringLiteral("% of Target : ") : QStringLiteral("Variance")) + second;
    }
    return text;
}

void ReportScreen::addKpiSlide(slides::Presentation& deck, int item, int block)
{
    const QString result = kpiResultText(block);
    const QString name = QStringLiteral("'") + KPIList->item(item)->text() + QStringLiteral("'");
    const QString review =
        QStringLiteral("Review of ") + name + QStringLiteral(" for the period '") + reportPeriodText() + QStringLiteral("'");
    slides::Slide& slide = deck.addSlide(block + 1, slides::Layout::TextAndChart);
    slide.shape(kTitleShape).setText(utf8(name));
    slide.shape(kBodyShape).setText(utf8(review + QStringLiteral("\r") + result));
    const slides::Box area = slide.placeholder(kChartPlaceholder).box();
    slide.deletePlaceholder(kChartPlaceholder);
    const QString picture = GraphFolderInUse + QStringLiteral("KPI_%1.jpg").arg(kpiOfListItem(item));
    slide.addPicture(utf8(picture), area.left, area.top + kPictureDrop, area.width, area.height);
}

QString ReportScreen::writePresentation()
{
    slides::Presentation deck;
    slides::Slide& title = deck.addSlide(1, slides::Layout::Title);
    title.shape(kTitleShape).setText(utf8(kPresentationTitle));
    title.shape(kBodyShape).setText(utf8(QStringLiteral("Period ") + reportPeriodText()));
    int block = 0;
    // "Select All" stands for no block and has no chart: only the KPIs get slides.
    for (int i = 1; i < KPIList->count(); ++i)
        if (kpiTicked(i))
            addKpiSlide(deck, i, ++block);
    deck.applyTemplate(utf8(AddBackslash(App::path()) + kDesignTemplate));
    QTemporaryDir folder(QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                             .filePath(QStringLiteral("kestrune-presentation-XXXXXX")));
    if (!folder.isValid())
        throw RuntimeError(75, "Path/File access error: " + utf8(folder.errorString()));
    const QString path = QDir(folder.path()).filePath(kPresentationFile);
    deck.saveAs(utf8(path));
    // The presentation stays for the program that shows it; a failed one leaves no folder.
    folder.setAutoRemove(false);
    return path;
}

void ReportScreen::CreatePowerpoint()
{
    try {
        const QString path = writePresentation();
        qintptr window = static_cast<qintptr>(window_.window->effectiveWinId());
        cOpenFile().LaunchFile(path, window);
    } catch (const RuntimeError&) {
        ui::MsgBox(QStringLiteral("We seem to have some difficulty in exporting to Microsoft PowerPoint. Please make "
                                  "sure that you have this application") +
                       QStringLiteral(" installed on your computer or that it is not in use at the moment. Then "
                                      "re-run this report."),
                   ui::OKOnly | ui::Critical, App::title());
    }
}

}
