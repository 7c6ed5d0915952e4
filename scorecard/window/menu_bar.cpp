// The scorecard window's menu bar, in the order the user sees it, and the commands
// that open the options, graph-options and about windows.
#include "coaching/help_videos.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/form_graph_options.h"
#include "scorecard/window/form_options.h"
#include "scorecard/window/spread_form.h"

#include <QMenu>
#include <QMenuBar>

namespace ks {

namespace {

QAction* item(QMenu* menu, const QString& caption, std::function<void()> handler = {})
{
    QAction* action = menu->addAction(caption);
    if (handler)
        QObject::connect(action, &QAction::triggered, menu, std::move(handler));
    return action;
}

QAction* hiddenItem(QMenu* menu, const QString& caption, std::function<void()> handler)
{
    QAction* action = item(menu, caption, std::move(handler));
    action->setVisible(false);
    return action;
}

}

WorkbookControl* SpreadForm::commandTarget() const
{
    return reportspread->HostVisible() ? reportspread : F1BookMain;
}

void SpreadForm::buildMenus()
{
    MenuBar = new QMenuBar(this);
    QMenu* file = MenuBar->addMenu(QStringLiteral("&File"));
    MnuFileNew = item(file, QStringLiteral("&New"), [this] { MnuFileNew_Click(); });
    MnuFileOpen = item(file, QStringLiteral("Open..."), [this] { MnuFileOpen_Click(); });
    MnuFilesave = item(file, QStringLiteral("Save"), [this] { MnuFilesave_Click(); });
    MnuFilesaveas = item(file, QStringLiteral("Save as..."), [this] { MnuFilesaveas_Click(); });
    MnuPageSetup = item(file, QStringLiteral("Page Setup..."), [this] { MnuPageSetup_Click(); });
    MnuPrint = item(file, QStringLiteral("Print"), [this] { MnuPrint_Click(); });
    MnuPrintSetup = item(file, QStringLiteral("Print Setup..."), [this] { MnuPrintSetup_Click(); });
    MnuPrintPreview = item(file, QStringLiteral("Print Preview..."), [this] { MnuPrintPreview_Click(); });
    MnuExit = item(file, QStringLiteral("Exit"), [this] { MnuExit_Click(); });

    QMenu* edit = MenuBar->addMenu(QStringLiteral("&Edit"));
    MnuEditBar = item(edit, QStringLiteral("Hide/show Edit Bar"), [this] { mnuHideEditBar_Click(); });
    MnuCut = item(edit, QStringLiteral("Cu&t"), [this] { MnuCut_Click(); });
    MnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    MnuCopy = item(edit, QStringLiteral("&Copy"), [this] { MnuCopy_Click(); });
    MnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    MnuPaste = item(edit, QStringLiteral("&Paste"), [this] { MnuPaste_Click(); });
    MnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    MnuPasteExternal = item(edit, QStringLiteral("Paste External Data"), [this] { MnuPasteExternal_Click(); });
    MnuPasteSpecial = item(edit, QStringLiteral("P&aste Special..."), [this] { MnuPasteSpecial_Click(); });
    MnuInsertPageBreak = hiddenItem(edit, QStringLiteral("Insert Page Break"), [this] { MnuInsertPageBreak_Click(); });

    QMenu* view = MenuBar->addMenu(QStringLiteral("&View"));
    MnuMonthData = item(view, QStringLiteral("Monthly Data"), [this] { MnuMonthData_Click(); });
    MnuBulkData = item(view, QStringLiteral("Bulk Data"), [this] { MnuBulkData_Click(); });
    MnuKPISETUP = item(view, QStringLiteral("KPI Setup"), [this] { MnuKPISETUP_Click(); });
    MnuViewReports = item(view, QStringLiteral("Reports"), [this] { MnuViewReports_Click(); });

    QMenu* format = MenuBar->addMenu(QStringLiteral("F&ormat"));
    MnuFormatFont = item(format, QStringLiteral("&Font..."), [this] { MnuFormatFont_Click(); });
    MnuFormatAlignment = item(format, QStringLiteral("&Alignment..."), [this] { MnuFormatAlignment_Click(); });
    MnuFormatCells = item(format, QStringLiteral("&Cells..."), [this] { MnuFormatCells_Click(); });

    QMenu* tools = MenuBar->addMenu(QStringLiteral("&Tools"));
    MnuToolsOptions = item(tools, QStringLiteral("Options"), [this] { MnuToolsOptions_Click(); });
    MnuGraphOptions = hiddenItem(tools, QStringLiteral("Graph Options"), [this] { MnuGraphOptions_Click(); });
    MnuCompanyName = item(tools, QStringLiteral("Company Name"), [this] { MnuCompanyName_Click(); });
    MnuProtection = tools->addMenu(QStringLiteral("Protection"));
    QObject::connect(MnuProtection, &QMenu::aboutToShow, this, [this] { MnuProtection_Click(); });
    MnuProtectionOff_On = item(MnuProtection, QStringLiteral("Off"), [this] { MnuProtectionOff_On_Click(); });
    MnuImportData = hiddenItem(tools, QStringLiteral("Import Data"), [this] { MnuImportData_Click(); });

    QMenu* help = MenuBar->addMenu(QStringLiteral("&Help"));
    MnuHelpAbout = item(help, QStringLiteral("About..."), [this] { MnuHelpAbout_Click(); });
    MnuHelpFile = item(help, QStringLiteral("Help Manual"), [] { OpenManual(kHelpManual); });
    MnuHelpQuickstartTrutorial = item(help, QStringLiteral("Quickstart Tutorial"), [] { OpenManual(kQuickstartManual); });
    MniHelpVideo = help->addMenu(QStringLiteral("Video Help"));
    MnuHelpVideoOverview = item(MniHelpVideo, QStringLiteral("Overview"), [] {
        PlayHelpVideo(QStringLiteral("datmodule_help.wmv"), "Error MnuHelpVideoOverview_err");
    });
    MnuVideoKPISetup = item(MniHelpVideo, QStringLiteral("Setup Module"), [] {
        PlayHelpVideo(QStringLiteral("SETUP_HELP.wmv"), "Error MnuVideoKPISetup_err");
    });
    MnuVideoReport = item(MniHelpVideo, QStringLiteral("Report Module"), [] {
        PlayHelpVideo(QStringLiteral("ReportModule_Help.wmv"), "Error MnuVideoReport__err");
    });
    MnuVideoBulk = item(MniHelpVideo, QStringLiteral("Bulk Module"), [] {
        PlayHelpVideo(QStringLiteral("BulkEntryModule_help.wmv"), "Error MnuVideoBulk_err");
    });
}

void SpreadForm::MnuToolsOptions_Click()
{
    ui::runStep("Error in MnuToolsOptions_Click_err", [] { form<FormOptions>().Show(ShowMode::Modal); });
}

void SpreadForm::MnuGraphOptions_Click()
{
    ui::runStep("Error in mnugrahpoptions_click_err", [] { form<FormGraphOptions>().Show(ShowMode::Modal); });
}

void SpreadForm::MnuHelpAbout_Click()
{
    ui::runStep("Error in MnuHelpAbout_Click_err", [] {
        if (spreadFormHooks().showAbout)
            spreadFormHooks().showAbout();
    });
}

}
