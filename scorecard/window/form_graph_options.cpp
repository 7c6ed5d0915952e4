#include "scorecard/window/form_graph_options.h"

#include "common/layout/scorecard_layout.h"
#include "platform/runtime/runtime_error.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"
#include "scorecard/window/window_placement.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace ks {

using namespace scorecard::layout;

namespace {

// The chart control's flat chart types, the codes the report screen stores.
constexpr int kBarChart = 1, kLineChart = 3, kAreaChart = 5, kStepChart = 7, kCombinationChart = 9;
constexpr int kNoChartType = 0;

struct GraphOption {
    const char* caption;
    int chartType;
};
// "Restore Defaults" stores the report's default graph, the bar chart.
constexpr GraphOption kOptions[] = {
    {"Line Chart", kLineChart}, {"Bar Chart", kBarChart},   {"Combination", kCombinationChart},
    {"Step Chart", kStepChart}, {"Area Chart", kAreaChart}, {"Polar Chart", kNoChartType},
    {"Restore Defaults", kBarChart},
};

WorkbookControl& scorecardBook() { return *form<SpreadForm>().F1BookMain; }

}

int FormGraphOptions::chartTypeOf(int option)
{
    return option >= 0 && option < static_cast<int>(std::size(kOptions)) ? kOptions[option].chartType : kNoChartType;
}

int FormGraphOptions::optionOf(int chartType)
{
    for (int i = 0; i < static_cast<int>(std::size(kOptions)); ++i)
        if (chartType != kNoChartType && kOptions[i].chartType == chartType)
            return i;
    return -1;
}

FormGraphOptions::FormGraphOptions() : Form(QStringLiteral("FormGraphOptions"))
{
    setWindowTitle(QStringLiteral("Graph Options"));
    Label2 = new QLabel(QStringLiteral("Report Form"), this);
    QFont big = Label2->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    Label2->setFont(big);
    Label3 = new QLabel(QStringLiteral("Select the type of graph that you would like the report form to produce."), this);
    Label3->setWordWrap(true);
    PictureSetupInformation = new QFrame(this);
    PictureSetupInformation->setFrameShape(QFrame::StyledPanel);
    auto* group = new QButtonGroup(this);
    auto* options = new QVBoxLayout(PictureSetupInformation);
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i) {
        Option1[i] = new QRadioButton(QString::fromUtf8(kOptions[i].caption), PictureSetupInformation);
        group->addButton(Option1[i], i);
        options->addWidget(Option1[i]);
        if (kOptions[i].chartType == kNoChartType) {
            Option1[i]->setEnabled(false);
            Option1[i]->setToolTip(QStringLiteral("The report charts do not draw this kind of graph."));
        }
    }
    QObject::connect(group, &QButtonGroup::idClicked, this, [this](int id) { Option1_Click(id); });
    CommandOK = new QPushButton(QStringLiteral("&OK"), this);
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    QObject::connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    QObject::connect(CommandCancel, &QPushButton::clicked, this, [this] { CommandCancel_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(PictureSetupInformation);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    layout->addLayout(buttons);
    setFixedWidth(320);
}

void FormGraphOptions::Form_Load()
{
    const SpreadForm& scorecard = form<SpreadForm>();
    setWindowIcon(scorecard.windowIcon());
    const double stored = scorecardBook().BookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol);
    const int chartType = std::isfinite(stored) && std::fabs(stored) < 1e9 ? static_cast<int>(std::nearbyint(stored)) : 0;
    // A type set by the chart's own editing has no button: none is ticked and OK keeps it.
    ChosenGraphOption = optionOf(chartType);
    if (ChosenGraphOption >= 0)
        Option1[ChosenGraphOption]->setChecked(true);
    adjustSize();
    placeOverScorecard(*this, scorecard, scorecard.height());
}

void FormGraphOptions::Option1_Click(int)
{
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i)
        if (Option1[i]->isChecked())
            ChosenGraphOption = i;
}

void FormGraphOptions::CommandOK_Click()
{
    if (ChosenGraphOption >= 0)
        scorecardBook().setBookNumber(kSetup, setup::kGraphTypeRow, setup::kGraphTypeCol, chartTypeOf(ChosenGraphOption));
    Unload();
}

void FormGraphOptions::CommandCancel_Click() { Unload(); }

void FormGraphOptions::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (isLoaded())
        Form_Resize();
}

void FormGraphOptions::Form_Resize()
{
    const SpreadForm& scorecard = form<SpreadForm>();
    placeBelowScorecardTop(*this, scorecard, scorecard.height());
}

}
