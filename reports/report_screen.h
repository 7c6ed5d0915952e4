#pragma once
// The report screen: the panel of report choices above the report sheet, the report
// builder, the charts and the exports. It works on the scorecard workbook and the
// report workbook that the scorecard window gives it.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ks {

namespace workbook::view { class WorkbookControl; }
namespace chart { class ChartControl; }
namespace slides { class Presentation; }

namespace reports {

using workbook::view::WorkbookControl;
using chart::ChartControl;

// What the screen asks of the window that shows it.
struct ReportWindow {
    QWidget* window = nullptr;
    WorkbookControl* book = nullptr;      // the scorecard workbook
    WorkbookControl* report = nullptr;    // the report workbook
    QWidget* modeToolbar = nullptr;       // switched off with the report controls
    std::function<QString()> scorecardPath;   // the scorecard file shown, never replaced by an export
    std::function<void(const QString&)> showProgress;   // the progress window with a text
    std::function<void()> hideProgress;
    std::function<void()> markScorecardChanged;   // closing then offers to save it
};

// The chart pictures are JPEG files of this quality.
inline constexpr int kChartJpegQuality = 99;

class ReportScreen {
public:
    explicit ReportScreen(ReportWindow window);

    WorkbookControl* F1BookMain;
    WorkbookControl* reportspread;
    QFrame* Frame10 = nullptr;
    ChartControl* VtChart1 = nullptr;
    std::array<QLabel*, 4> Label1{};
    QLabel* Label5 = nullptr;
    std::array<QComboBox*, 2> Combo1{};   // start and end period
    QComboBox* combotype = nullptr;
    QComboBox* ComboGraph = nullptr;
    QListWidget* KPIList = nullptr;
    QPushButton* Command1 = nullptr;
    QFrame* Frame1 = nullptr;
    static constexpr int kFirstGraphButton = 3, kCustomGraph = 7;
    std::array<QRadioButton*, 8> OptionGraph{};   // indices 3 to 7
    QPushButton* Command2 = nullptr;
    QFrame* Frame3 = nullptr;
    std::array<QRadioButton*, 3> OptionExport{};
    QPushButton* cmdExport = nullptr;

    // The report state the builder, the charts and the exports share.
    std::int32_t ReportEndRow = 0;
    std::int16_t ReportType = 0;
    std::int16_t ReportChartCount = 0, ChartLeftOffset = 0, ChartRightOffset = 0;
    std::int32_t ReportKpiIndex = 0;
    QString KPIFormat;
    // The folder of the last report's chart pictures.
    QString GraphFolderInUse;

    // Entering the screen, after the window has hidden its own controls: the lists, the
    // template, the stored graph type and the panel over the report sheet. A failure passes on.
    void enter();
    void loadcombodates();
    void Loadtree();
    void loadtemplate();
    void getformat();
    void Combo1_Click(int index);
    void KPIList_ItemCheck(int item);
    // The graph type: a button or the chart's own editing, stored in the scorecard workbook.
    void OptionGraph_Click(int index);
    void Command2_Click();
    void Command1_Click();
    void dochart2();
    void MoveChartPictureToSheet(int item);
    // The picture file of a KPI's chart by the graph-folder rule; sets GraphFolderInUse.
    QString chartPicturePath(int item);
    // How long each chart's progress text is shown, in milliseconds.
    int ChartProgressMs = 1000;
    void cmdExport_Click();
    void CreatePowerpoint();
    void ExportReportExcel();
    void DisableReportControls();
    void EnableReportControls();

    // The KPI (1 to 20) a KPIList item stands for; 0 for "Select All".
    int kpiOfListItem(int item) const;
    bool kpiTicked(int item) const;
    // A tick set by the program, which does not run the "Select All" rule.
    void setKpiTicked(int item, bool ticked);
    QString reportTemplatePath() const;
    // Lays the panel and the report sheet out in the band below the toolbars.
    void place(int left, int top, int width, int height);

private:
    void buildPanel();
    void placeChart();
    void storeGraphType();
    int storedGraphType() const;
    void setReportControlsEnabled(bool enabled, const QString& caption);
    int tickedKpiCount() const;
    // Writes the block of one KPI; false when the report must stop.
    bool writeReportBlock(int item, int& totalCol);
    void writeMonthColumn(int item, int row, int col, int period);
    void writeTotalColumn(int row, int lastMonthCol, int totalCol);
    void finishReportSheet(int totalCol);
    void drawKpiChart(int item, int months);
    void clearChartGrid(int months);
    void fillChartGrid(int row, int months);
    void showChartProgress(const QString& name);
    void dressChart(int item, const QString& name);
    void labelChartMonths();
    void finishChartedReport(int lastMonthCol);
    QString reportPeriodText() const;
    QString kpiResultText(int block) const;
    void addKpiSlide(slides::Presentation& deck, int item, int block);
    // Writes the presentation into a new folder of the user's temporary files; its path.
    QString writePresentation();

    ReportWindow window_;
};

}
}
