#pragma once
// The scorecard window: the scorecard workbook, the report sheet stacked in the
// same area, the two toolbars and the coach-mode list.
#include "platform/runtime/form.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolBar;

namespace ks {

namespace workbook::view { class WorkbookControl; }
using workbook::view::WorkbookControl;
namespace reports { class ReportScreen; }

// Full path of the scorecard file shown.
extern QString ScorecardPath;

// What the window asks of the program's start-up module.
struct SpreadFormHooks {
    std::function<void()> unloadAllForms;
    std::function<bool()> importMenuOn;
    std::function<void()> showAbout;
};
SpreadFormHooks& spreadFormHooks();

// The cell of the edit that is pending on the month view and its text when it started.
struct CellEditState {
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::string textBefore;
    std::int16_t valueEdit = 0;   // an actual or a target
    std::int16_t textEdit = 0;    // a KPI comment or a section line
};

inline const QString kCaptionSeparator = QStringLiteral("   :  ");
// F1BookMain's tag while the scorecard holds unsaved changes, "" when it holds none. The
// window's windowModified follows the tag, and the questions before closing, New and Open
// read the window.
inline const QString kChangedMarker = QStringLiteral("dirty");

class SpreadForm : public Form {
public:
    SpreadForm();
    ~SpreadForm() override;

    WorkbookControl* F1BookMain = nullptr;
    WorkbookControl* F1BookIMPORT = nullptr;
    WorkbookControl* reportspread = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QToolBar* Toolbar2 = nullptr;
    QLabel* LabelCoachMode = nullptr;
    QComboBox* ComboCoachMode = nullptr;
    QComboBox* ComboBulkData = nullptr;
    QLabel* Picture1 = nullptr;
    QMenuBar* MenuBar = nullptr;
    QAction* MnuExit = nullptr;
    QAction* MnuImportData = nullptr;
    QAction* MnuEditBar = nullptr;

    // The menu bar's items and its edit, print, format and protection commands; they act
    // on the workbook the user sees (commandTarget).
    QAction *MnuFileNew = nullptr, *MnuFileOpen = nullptr, *MnuFilesave = nullptr, *MnuFilesaveas = nullptr;
    QAction *MnuPageSetup = nullptr, *MnuPrint = nullptr, *MnuPrintSetup = nullptr, *MnuPrintPreview = nullptr;
    QAction *MnuCut = nullptr, *MnuCopy = nullptr, *MnuPaste = nullptr, *MnuPasteExternal = nullptr;
    QAction *MnuPasteSpecial = nullptr, *MnuInsertPageBreak = nullptr;
    QAction *MnuMonthData = nullptr, *MnuBulkData = nullptr, *MnuKPISETUP = nullptr, *MnuViewReports = nullptr;
    QAction *MnuFormatFont = nullptr, *MnuFormatAlignment = nullptr, *MnuFormatCells = nullptr;
    QAction *MnuToolsOptions = nullptr, *MnuGraphOptions = nullptr, *MnuCompanyName = nullptr;
    QMenu* MnuProtection = nullptr;
    QAction* MnuProtectionOff_On = nullptr;
    QAction *MnuHelpAbout = nullptr, *MnuHelpFile = nullptr, *MnuHelpQuickstartTrutorial = nullptr;
    QMenu* MniHelpVideo = nullptr;
    QAction *MnuHelpVideoOverview = nullptr, *MnuVideoKPISetup = nullptr, *MnuVideoReport = nullptr,
            *MnuVideoBulk = nullptr;
    WorkbookControl* commandTarget() const;
    void MnuCopy_Click();
    void MnuCut_Click();
    void MnuPaste_Click();
    void MnuPasteExternal_Click();
    void MnuPasteSpecial_Click();
    void MnuInsertPageBreak_Click();
    void mnuHideEditBar_Click();
    void MnuFormatFont_Click();
    void MnuFormatAlignment_Click();
    void MnuFormatCells_Click();
    void MnuPageSetup_Click();
    void MnuPrint_Click();
    void MnuPrintSetup_Click();
    void MnuPrintPreview_Click();
    void MnuProtection_Click();
    void MnuProtectionOff_On_Click();
    void MnuToolsOptions_Click();
    void MnuGraphOptions_Click();
    void MnuHelpAbout_Click();

    // 1 from the start of the load until its set-up has run.
    int ScorecardLoading = 0;

    // Sets the list index as a program step does, which raises its click.
    void setCoachModeIndex(int index);
    void ComboCoachMode_Click();
    void MnuExit_Click();
    void Form_Resize();

    // The file road; the save commands answer whether the workbook was written.
    void MnuFileNew_Click();
    bool MnuFilesave_Click();
    bool MnuFilesaveas_Click();
    void MnuFileOpen_Click();
    void FileOpen2();
    void MnuCompanyName_Click();

    // KPI number formats.
    void Formatcells();
    void FormatcellsBulk();
    void IncreaseDecimal();
    void DecreaseDecimal();
    enum class FixedFormat { Dollar, Percent, Comma };
    void ApplyFixedFormat(FixedFormat format);

    // The edit road: what the user types on the month view reaches the history sheets.
    CellEditState CellEdit;
    void F1BookMain_StartEdit();
    void F1BookMain_KeyDown(int& keyCode, int shift);
    void F1BookMain_KeyUp(int keyCode, int shift);
    void F1BookMain_Click();
    void F1BookMain_EndEdit(std::string& text);
    void F1BookMain_HourglassEvent();
    void Updatedata();
    void Updatetext();

    // Month selection: the month and year lists refill the month view from the history.
    void F1BookMain_ObjValueChanged(const std::string& name, int id);
    void loadcomboValues();

    // Screens and toolbars; buttons are told apart by their keys.
    void MnuMonthData_Click();
    void MnuKPISETUP_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar2_ButtonClick(const QString& key);
    void ShowToolbar2();
    void HideToolbar2();
    // The button of a toolbar at a position counted from 1.
    QAction* toolbarButton(QToolBar* bar, int position) const;
    void EditBarCaption();

    // Bulk data view: the data history, with its actual and target lines shown by choice.
    QPushButton* CommandSetupSpreadsheet = nullptr;
    void MnuBulkData_Click();
    void ComboBulkData_Click();
    void CommandSetupSpreadsheet_Click();

    // Import from an older scorecard; DataImport answers whether a scorecard was read.
    void MnuImportData_Click();
    bool DataImport();

    // The data window, which no menu shows.
    void ShowDataForm();

    void loadscorecard();
    void SetupScorecard();
    void pausewhileloading2();

    // The report screen, over the scorecard while it is shown.
    std::unique_ptr<reports::ReportScreen> Reports;
    void MnuViewReports_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbars();
    void buildBulkViewControls();
    void placeBulkViewControls();
    void setScorecardButtonsVisible(bool visible);
    void connectWorkbookEvents();
    // Compares the pending cell's text with the one kept, copies a change into the history.
    bool endEdit(std::int16_t& flag, void (SpreadForm::*update)());
    bool endValueEdit();
    bool endTextEdit();
    void recordEdit();
    void refillMonthView();
    bool refuseMonthOutsideHistory();
    void fillScorecardLink();
    int innerTop() const;
    // Whether a scorecard has been read into F1BookMain; the coach has nothing to greet before.
    bool scorecardRead_ = false;
    bool savespreadsheet();
    bool filesaveas2();
    void fileNewRename2();
    // Asks about unsaved changes before New or Open; false when the command must stop.
    bool askToSaveChanges();
    void showCaption();
    void showMonthViewControls();
    void formatNamedCells(const QString& suffix, const QString& caption);
    void changeDecimals(int increase, const QString& caption);
    void writeSetupFormat(int firstRow, int lastRow, const QString& type);
    // The clipboard commands on the month view: one cell at a time, each change carried
    // into the history as a typed one.
    template <class Paste>
    void pasteCommand(const QString& caption, bool external, Paste&& paste);
    bool refuseSeveralCells(long long cells);
    bool refusePasteOnMonthView(bool external);
    void recordClipboardCell();
    void carryClipboardEdit();
    void formatDialogCommand(int reportPage, int scorecardPage, const QString& caption);
};

// A path whose last ten characters are exactly "Sample.vqa": never written.
bool IsSamplePath(const QString& path);

// The window's coach-mode index from the stored COACHMODE text: its leading
// number rounded half to even, 0 for an empty text or one without digits.
int CoachModeFromText(const QString& text);

}
