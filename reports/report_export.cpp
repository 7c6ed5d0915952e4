// The report's export to a spreadsheet file, and the report controls switched off
// while a report is produced.
#include "common/c_open_file.h"
#include "platform/runtime/app.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/export_naming.h"
#include "reports/report_failures.h"
#include "reports/report_screen.h"

#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

namespace ks::reports {

void ReportScreen::cmdExport_Click()
{
    try {
        if (OptionExport[0]->isChecked())
            CreatePowerpoint();
        else
            ExportReportExcel();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Exportreport"));
    }
}

void ReportScreen::ExportReportExcel()
{
    QString written;
    try {
        const std::string templatePath = reportTemplatePath().toStdString();
        workbook::FileChoice choice;
        choice.name = proposedExportName(reportspread->BookFileName(), templatePath,
                                                  window_.scorecardPath().toStdString(), App::path().toStdString());
        choice.type = workbook::kFileXlsx;
        reportspread->SaveDialog("Save report to excel", choice);
        // The export must never replace the report template or the scorecard in use.
        if (namesKeptFile(choice.name, {templatePath, window_.scorecardPath().toStdString()}))
            workbook::raise(workbook::kErrFileWrite,
                            "The report can not be saved over " + choice.name + ". Please choose another name.");
        reportspread->WriteBookAs(choice.name, choice.type);
        written = QString::fromStdString(choice.name);
        qintptr window = static_cast<qintptr>(window_.window->effectiveWinId());
        cOpenFile().LaunchFile(written, window);
    } catch (const RuntimeError& e) {
        if (e.number() != workbook::kErrDialogCancelled)
            ui::showFailure(e, QStringLiteral("Error in saving") + written);
    }
}

void ReportScreen::setReportControlsEnabled(bool enabled, const QString& caption)
{
    try {
        QWidget* const controls[] = {cmdExport, Combo1[0], Combo1[1], ComboGraph, combotype,
                                     KPIList,   Frame1,    window_.modeToolbar,  Command1};
        for (QWidget* control : controls) {
            if (!control)
                throw RuntimeError(91, "Object variable or With block variable not set");
            control->setEnabled(enabled);
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, caption);
    }
}

void ReportScreen::DisableReportControls()
{
    setReportControlsEnabled(false, QStringLiteral("Error in DisableReportControls_err"));
}

void ReportScreen::EnableReportControls()
{
    setReportControlsEnabled(true, QStringLiteral("Error in EnableReportControls_err"));
}

}
