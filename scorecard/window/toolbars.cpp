// The two toolbars: Toolbar1 switches screens, Toolbar2 carries the file commands,
// the set-up sheet's number formats and the context help. Buttons are told apart
// by their keys and addressed by their positions.
#include "coaching/coach_state.h"
#include "coaching/help_videos.h"
#include "coaching/main_video.h"
#include "common/dialogs.h"
#include "common/layout/scorecard_layout.h"
#include "common/number_format.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "scorecard/window/spread_form.h"

#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QToolBar>

namespace ks {

using namespace scorecard::layout;

namespace {

struct ButtonLook {
    const char* key;
    const char* caption;
    const char* tooltip;
    QStyle::StandardPixmap icon;   // SP_CustomBase: the caption alone
    bool visible;
};
constexpr auto kNoIcon = QStyle::SP_CustomBase;

const ButtonLook kToolbar1[] = {
    {"MonthData", "Data", "Month Data Entry", kNoIcon, true},
    {"KPI Setup", "Setup", "KPI Setup", kNoIcon, true},
    {"Graph Report", "Report", "Graph Report", kNoIcon, true},
    {"BulkData", "Bulk", "Bulk Data", kNoIcon, true},
    {"Sep9", nullptr, nullptr, kNoIcon, true},
    {"ShowGroupIDs", "", "Show/Hide Group ID's", kNoIcon, false},
    {"SaveWB", "", "Save WorkBook", kNoIcon, false},
    {"Properties", "", "Properties", kNoIcon, false},
    {"FocusArea", "", "Focus Area", kNoIcon, false},
    {"", "", "", kNoIcon, false},
    {"MARKER", "", "Insert a Marker", kNoIcon, false},
};

// The 14 buttons the user sees; every other position holds a hidden button.
const ButtonLook kToolbar2Shown[] = {
    {"Close", "Close", "Close", QStyle::SP_DialogCloseButton, true},
    {"Open", "Open", "Open", QStyle::SP_DialogOpenButton, true},
    {"New Scorecard", "New", "New Scorecard", QStyle::SP_FileIcon, true},
    {"Save", "Save", "Save", QStyle::SP_DialogSaveButton, true},
    {"Print1", "Print", "Print", kNoIcon, true},
    {"Sep2", nullptr, nullptr, kNoIcon, true},
    {"Dollar", "$", "Currency", kNoIcon, true},
    {"Percent", "%", "Percentage", kNoIcon, true},
    {"Comma", "0.0", "Fix", kNoIcon, true},
    {"Sep8", nullptr, nullptr, kNoIcon, true},
    {"IncreaseDec", "+.0", "Increase Decimal", kNoIcon, true},
    {"DecreaseDec", "-.0", "Decrease Decimal", kNoIcon, true},
    {"Sep9", nullptr, nullptr, kNoIcon, true},
    {"HelpButton", "?", "Ask the Coach for help on this screen", QStyle::SP_MessageBoxQuestion, true},
};
constexpr int kToolbar2Positions[] = {1, 2, 3, 4, 7, 8, 31, 32, 33, 36, 38, 39, 41, 47};
const char* const kToolbar2Hidden[] = {
    "Sep", "Graph", "Bold", "Italics", "Underline", "Merge", "Sep3", "MonthData", "KPI Setup", "Graph Report",
    "Sep5", "BulkData", "Print2", "", "Cut", "Copy", "Paste", "Undo", "Sep6", "New", "Delete", "Sep7", "Format",
    "Sep4", "Half", "Expo", "Show", "InsertRow", "Help", "SaveWB", "Properties", "FocusArea", ""};
// Shown with the scorecard's screens, hidden on the report screen; the help button stays.
constexpr int kScorecardButtons[] = {1, 2, 3, 4, 7, 8, 31, 32, 33, 36, 38, 39, 41};

QAction* addButton(QToolBar* bar, const ButtonLook& look)
{
    QAction* action = nullptr;
    if (!look.caption) {
        action = bar->addSeparator();
    } else {
        action = bar->addAction(QString::fromUtf8(look.caption));
        action->setToolTip(QString::fromUtf8(look.tooltip));
        if (look.icon != kNoIcon)
            action->setIcon(QApplication::style()->standardIcon(look.icon));
    }
    action->setData(QString::fromUtf8(look.key));
    action->setVisible(look.visible);
    return action;
}

// The module help video of what is shown; empty for sheets that have none.
QString helpVideoFor(bool reportShown, int sheet)
{
    if (reportShown || sheet == kCalc)
        return QStringLiteral("ReportModule_Help.wmv");
    switch (sheet) {
    case kMonthView: return QStringLiteral("datmodule_help.wmv");
    case kSetup: return QStringLiteral("SETUP_HELP.wmv");
    case kHistory: return QStringLiteral("BulkEntryModule_help.wmv");
    default: return {};
    }
}

}

void SpreadForm::buildToolbars()
{
    Toolbar1 = new QToolBar(this);
    for (const ButtonLook& look : kToolbar1)
        addButton(Toolbar1, look);
    Toolbar2 = new QToolBar(this);
    std::size_t shown = 0, hidden = 0;
    for (int position = 1; position <= 47; ++position) {
        if (shown < std::size(kToolbar2Shown) && kToolbar2Positions[shown] == position)
            addButton(Toolbar2, kToolbar2Shown[shown++]);
        else
            addButton(Toolbar2, {kToolbar2Hidden[hidden++], "", "", kNoIcon, false});
    }
    QObject::connect(Toolbar1, &QToolBar::actionTriggered, this,
                     [this](QAction* a) { Toolbar1_ButtonClick(a->data().toString()); });
    QObject::connect(Toolbar2, &QToolBar::actionTriggered, this,
                     [this](QAction* a) { Toolbar2_ButtonClick(a->data().toString()); });
}

QAction* SpreadForm::toolbarButton(QToolBar* bar, int position) const
{
    const QList<QAction*> buttons = bar->actions();
    if (position < 1 || position > buttons.size())
        throw RuntimeError(35600, "Index out of bounds");
    return buttons[position - 1];
}

void SpreadForm::Toolbar1_ButtonClick(const QString& key)
{
    HourglassOn();
    auto closePlayer = [] {
        if (formSlot<MainVideo>().isLoaded())
            form<MainVideo>().MediaPlayer1->close();
    };
    ui::runStepShowingSource([&] {
        if (ComboCoachMode->currentIndex() < CoachOff)
            closePlayer();
    });
    const bool screen = key == "MonthData" || key == "KPI Setup" || key == "Graph Report" || key == "BulkData";
    ui::runStepShowingSource([&] {
        if (key == "MonthData")
            MnuMonthData_Click();
        else if (key == "KPI Setup")
            MnuKPISETUP_Click();
        else if (key == "BulkData")
            MnuBulkData_Click();
        else if (key == "Graph Report")
            MnuViewReports_Click();
    });
    if (screen) {
        ui::runStepShowingSource(closePlayer);
        ui::runStepShowingSource([&] {
            if (key == "MonthData")
                ShowCoachWindow();
            else
                UpdateCoachWindow();
        });
    }
    HourglassOff();
}

void SpreadForm::Toolbar2_ButtonClick(const QString& key)
{
    HourglassOn();
    ui::runStepShowingSource([&] {
        DecimalCount.clear();
        if (key == "Close")
            MnuExit_Click();
        else if (key == "Open")
            MnuFileOpen_Click();
        else if (key == "New Scorecard")
            MnuFileNew_Click();
        else if (key == "Save")
            MnuFilesave_Click();
        else if (key == "Dollar" || key == "Percent" || key == "Comma" || key == "IncreaseDec" || key == "DecreaseDec") {
            if (F1BookMain->CurrentSheet() != kSetup) {
                ui::MsgBox(QStringLiteral("If you would like to change the format of a number, please proceed \r\n"
                                          "to the SETUP window by clicking the SETUP ICON on the above toolbar."),
                           ui::OKOnly | ui::Information, App::title());
            } else if (key == "Dollar") {
                ApplyFixedFormat(FixedFormat::Dollar);
            } else if (key == "Percent") {
                ApplyFixedFormat(FixedFormat::Percent);
            } else if (key == "Comma") {
                ApplyFixedFormat(FixedFormat::Comma);
            } else if (key == "IncreaseDec") {
                IncreaseDecimal();
            } else {
                DecreaseDecimal();
            }
        } else if (key == "HelpButton") {
            const QString video = helpVideoFor(reportspread->HostVisible(), F1BookMain->CurrentSheet());
            if (video.isEmpty())
                ResetCoachWindowForHelp();
            else
                PlayHelpVideo(video, "Toolbar2_ButtonClick");
        }
    });
    HourglassOff();
}

void SpreadForm::setScorecardButtonsVisible(bool visible)
{
    try {
        for (int position : kScorecardButtons)
            toolbarButton(Toolbar2, position)->setVisible(visible);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, visible ? QStringLiteral("Error in ShowToolbar_err")
                                   : QStringLiteral("Error in HideToolbar_err"));
    }
}

void SpreadForm::HideToolbar2() { setScorecardButtonsVisible(false); }
void SpreadForm::ShowToolbar2() { setScorecardButtonsVisible(true); }

}
