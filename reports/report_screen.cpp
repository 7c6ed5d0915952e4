// The report screen: its panel, entering it, and its lists of periods, report types,
// graph choices and KPIs.
#include "common/layout/kpi_format.h"
#include "common/layout/scorecard_layout.h"
#include "common/paths.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_periods.h"
#include "platform/chart/chart_control.h"
#include "reports/report_failures.h"
#include "reports/report_screen.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace ks::reports {

using namespace scorecard::layout;

namespace {

constexpr int kPanelHeight = 156;
constexpr int kKpiRole = Qt::UserRole;

QComboBox* dropDownList(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(12);
    return combo;
}

QFrame* innerFrame(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

}

ReportScreen::ReportScreen(ReportWindow window)
    : F1BookMain(window.book), reportspread(window.report), window_(std::move(window))
{
    Frame10 = new QFrame(window_.window);
    Frame10->setFrameShape(QFrame::StyledPanel);
    Frame10->hide();
    VtChart1 = new ChartControl(window_.window);
    VtChart1->hide();
    buildPanel();
}

void ReportScreen::buildPanel()
{
    auto* panel = new QHBoxLayout(Frame10);
    panel->setContentsMargins(6, 4, 6, 4);

    auto* choices = new QGridLayout;
    const char* const captions[] = {"Start Period:", "End Period:", "KPI :", "Graphs"};
    for (int i = 0; i < 4; ++i)
        Label1[i] = new QLabel(QString::fromLatin1(captions[i]), Frame10);
    Label5 = new QLabel(QStringLiteral("Report Type :"), Frame10);
    for (int i = 0; i < 2; ++i) {
        Combo1[i] = dropDownList(Frame10);
        QObject::connect(Combo1[i], &QComboBox::currentIndexChanged, Frame10, [this, i](int) { Combo1_Click(i); });
    }
    combotype = dropDownList(Frame10);
    ComboGraph = dropDownList(Frame10);
    const std::pair<QLabel*, QComboBox*> rows[] = {
        {Label1[0], Combo1[0]}, {Label1[1], Combo1[1]}, {Label5, combotype}, {Label1[3], ComboGraph}};
    for (int r = 0; r < 4; ++r) {
        choices->addWidget(rows[r].first, r, 0);
        choices->addWidget(rows[r].second, r, 1);
    }
    panel->addLayout(choices);

    auto* kpis = new QVBoxLayout;
    KPIList = new QListWidget(Frame10);
    KPIList->setFixedWidth(240);
    QObject::connect(KPIList, &QListWidget::itemChanged, Frame10,
                     [this](QListWidgetItem* item) { KPIList_ItemCheck(KPIList->row(item)); });
    kpis->addWidget(Label1[2]);
    kpis->addWidget(KPIList);
    panel->addLayout(kpis);

    Frame1 = innerFrame(Frame10);
    auto* graphs = new QGridLayout(Frame1);
    const char* const graphCaptions[] = {"Line Graph", "Bar Graph", "Area Graph", "Default Graph", "Custom Graph"};
    for (int i = 3; i <= 7; ++i) {
        OptionGraph[i] = new QRadioButton(QString::fromLatin1(graphCaptions[i - 3]), Frame1);
        QObject::connect(OptionGraph[i], &QRadioButton::toggled, Frame10, [this, i](bool on) {
            if (on)
                OptionGraph_Click(i);
        });
        graphs->addWidget(OptionGraph[i], (i - 3) % 3, (i - 3) / 3);
    }
    Command2 = new QPushButton(QStringLiteral("Custom"), Frame1);
    QObject::connect(Command2, &QPushButton::clicked, Frame10, [this] { Command2_Click(); });
    graphs->addWidget(Command2, 2, 1);
    panel->addWidget(Frame1);

    auto* actions = new QVBoxLayout;
    Command1 = new QPushButton(QStringLiteral("&Generate Report"), Frame10);
    QObject::connect(Command1, &QPushButton::clicked, Frame10, [this] { Command1_Click(); });
    actions->addWidget(Command1);
    Frame3 = innerFrame(Frame10);
    auto* exports = new QVBoxLayout(Frame3);
    const char* const exportCaptions[] = {"PowerPoint", "Excel", "Word"};
    for (int i = 0; i < 3; ++i) {
        OptionExport[i] = new QRadioButton(QString::fromLatin1(exportCaptions[i]), Frame3);
        exports->addWidget(OptionExport[i]);
    }
    OptionExport[1]->setChecked(true);
    actions->addWidget(Frame3);
    cmdExport = new QPushButton(QStringLiteral("&Export"), Frame10);
    QObject::connect(cmdExport, &QPushButton::clicked, Frame10, [this] { cmdExport_Click(); });
    actions->addWidget(cmdExport);
    actions->addStretch();
    panel->addLayout(actions);
    panel->addStretch();

    Frame3->hide();
    cmdExport->hide();
    // Both cover the scorecard, which stays behind them.
    Frame10->setAutoFillBackground(true);
    reportspread->setAutoFillBackground(true);
    Frame10->setFixedHeight(kPanelHeight);
}

void ReportScreen::enter()
{
    loadcombodates();
    Loadtree();
    loadtemplate();
    const int graphType = storedGraphType();
    const int button = graphType == 1 ? 4 : graphType == 3 ? 3 : graphType == 5 ? 5 : kCustomGraph;
    // The chart starts from the stored type, so that "Custom Graph" stores it back unchanged.
    VtChart1->setChartType(graphType);
    if (OptionGraph[button]->isChecked())
        OptionGraph_Click(button);
    else
        OptionGraph[button]->setChecked(true);
    ChartLeftOffset = 0;
    ChartRightOffset = 0;
    ReportChartCount = 0;
    ReportEndRow = 0;
    Frame10->show();
    Frame10->raise();
    reportspread->setHostVisible(true);
    DoEvents();
    reportspread->setViewNumberA(0);
    reportspread->setHostZOrder(0);
    cmdExport->hide();
    Frame3->hide();
}

void ReportScreen::place(int left, int top, int width, int height)
{
    Frame10->setGeometry(left, top, width, Frame10->height());
    reportspread->setGeometry(left, top + Frame10->height(), width, std::max(0, height - Frame10->height()));
    VtChart1->resize(reportspread->width() / 2, reportspread->height() / 2);
    placeChart();
}

// The chart is drawn in the middle of the report sheet, behind the progress window that
// names it, never over the menus, the toolbar or the report panel.
void ReportScreen::placeChart()
{
    const QRect sheet = reportspread->geometry();
    const QSize size = VtChart1->size();
    VtChart1->move(sheet.left() + std::max(0, (sheet.width() - size.width()) / 2),
                   sheet.top() + std::max(0, (sheet.height() - size.height()) / 2));
}

int ReportScreen::storedGraphType() const
{
    // Clamped before the conversion: any number may stand in the cell.
    const double stored = F1BookMain->BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol);
    const double limit = 1 << 30;
    return static_cast<int>(std::nearbyint(std::clamp(std::isnan(stored) ? 0.0 : stored, -limit, limit)));
}

void ReportScreen::loadcombodates()
{
    try {
        QStringList labels;
        for (int i = 0; i < reports::kPeriodCount; ++i)
            labels << QString::fromStdString(
                reports::periodLabel(F1BookMain->BookText(kHistory, reports::periodRow(i), history::kDateCol)));
        Combo1[0]->clear();
        Combo1[0]->addItems(labels);
        Combo1[0]->setCurrentIndex(0);
        Combo1[1]->clear();
        Combo1[1]->addItems(labels);
        const double line = F1BookMain->BookNumber(kHistory, history::kMonthLineRow, history::kMonthLineCol);
        DoEvents();
        Combo1[1]->setCurrentIndex(reports::finishPeriodIndex(line, Combo1[1]->count()));
        combotype->clear();
        combotype->addItems({QStringLiteral("Actual+Budget"), QStringLiteral("Actuals Only"), QStringLiteral("Budget Only")});
        combotype->setCurrentIndex(0);
        ComboGraph->clear();
        ComboGraph->addItems({QStringLiteral("Include Graphs"), QStringLiteral("No Graphs")});
        ComboGraph->setCurrentIndex(0);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Loadcombo"));
    }
}

void ReportScreen::Loadtree()
{
    try {
        const QSignalBlocker programChange(KPIList);
        KPIList->clear();
        auto add = [this](const QString& text, int kpi) {
            auto* item = new QListWidgetItem(text, KPIList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            item->setData(kKpiRole, kpi);
        };
        add(QStringLiteral("Select All"), 0);
        // Each item keeps its KPI's number, so a gap in the names cannot shift the data.
        for (int k = 1; k <= kKpiCount; ++k) {
            const std::string name = F1BookMain->BookText(kMonthView, month::kpiRow(k), month::kNameCol);
            if (!name.empty())
                add(QString::fromStdString(name), k);
        }
        setKpiTicked(0, true);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Loadtree_err"));
    }
}

void ReportScreen::getformat()
{
    try {
        if (ReportKpiIndex < 1 || ReportKpiIndex > kKpiCount)
            throw RuntimeError(9, "Subscript out of range");
        const int row = setup::kpiRow(ReportKpiIndex);
        KPIFormat = QString::fromStdString(kpiNumberFormat(F1BookMain->BookText(kSetup, row, setup::kFormatTypeCol),
                                                           F1BookMain->BookText(kSetup, row, setup::kDecimalsCol)));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in formatBulk cells"));
        throw;
    }
}

QString ReportScreen::reportTemplatePath() const { return ProgramFile(QStringLiteral("actbud.rt")); }

void ReportScreen::loadtemplate()
{
    const QString path = reportTemplatePath();
    try {
        int type = 1;
        reportspread->ReadBookFile(path.toStdString(), type);
    } catch (const RuntimeError&) {
        ui::MsgBox(QStringLiteral("Having problems finding the template.") + path, ui::OKOnly | ui::Information,
                   App::title());
    }
}

void ReportScreen::Combo1_Click(int)
{
    try {
        const int start = Combo1[0]->currentIndex(), finish = Combo1[1]->currentIndex();
        if (start != -1 && finish != -1 && finish < start)
            Combo1[0]->setCurrentIndex(finish);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Combo1_Click"));
    }
}

void ReportScreen::KPIList_ItemCheck(int)
{
    try {
        const int last = KPIList->count() - 1;
        if (KPIList->currentRow() == 0)
            for (int i = 1; i <= last; ++i)
                setKpiTicked(i, false);
        if (kpiTicked(0))
            for (int i = 1; i <= last; ++i)
                if (kpiTicked(i))
                    setKpiTicked(i, false);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in ItemcheckErr"));
    }
}

int ReportScreen::kpiOfListItem(int item) const
{
    const QListWidgetItem* entry = KPIList->item(item);
    if (!entry)
        throw RuntimeError(381, "Invalid property array index");
    return entry->data(kKpiRole).toInt();
}

bool ReportScreen::kpiTicked(int item) const
{
    const QListWidgetItem* entry = KPIList->item(item);
    if (!entry)
        throw RuntimeError(381, "Invalid property array index");
    return entry->checkState() == Qt::Checked;
}

void ReportScreen::setKpiTicked(int item, bool ticked)
{
    QListWidgetItem* entry = KPIList->item(item);
    if (!entry)
        throw RuntimeError(381, "Invalid property array index");
    const QSignalBlocker programChange(KPIList);
    entry->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

int ReportScreen::tickedKpiCount() const
{
    int count = 0;
    for (int i = 0; i < KPIList->count(); ++i)
        count += kpiTicked(i) ? 1 : 0;
    return count;
}

}
