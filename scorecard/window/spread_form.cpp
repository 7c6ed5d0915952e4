#include "scorecard/window/spread_form.h"

#include "coaching/coach_comments.h"
#include "coaching/coach_state.h"
#include "coaching/main_video.h"
#include "common/layout/scorecard_layout.h"
#include "common/paths.h"
#include "common/settings.h"
#include "platform/chart/chart_control.h"
#include "platform/media/media_player.h"
#include "platform/runtime/app.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"
#include "platform/workbook/view/workbook_control.h"
#include "reports/report_screen.h"
#include "scorecard/window/progress_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ks {

QString ScorecardPath;

SpreadFormHooks& spreadFormHooks()
{
    static SpreadFormHooks hooks;
    return hooks;
}

namespace {

double widened(double a) { return a + 0.1 * a; }

constexpr int kUnreadableFile = 20012;

}

int CoachModeFromText(const QString& text)
{
    if (text.isEmpty())
        return 0;
    // The leading number, as far as it reads as one.
    int end = 0;
    const QString t = text.trimmed();
    while (end < t.size() && (t[end].isDigit() || t[end] == '.' || (end == 0 && (t[end] == '-' || t[end] == '+'))))
        ++end;
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    if (!ok && !std::isinf(value))
        return 0;
    // Clamped before the conversion: a long digit string must not overflow it. The list
    // then refuses the out-of-range index like any other.
    const double limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(std::clamp(value, -limit, limit)));
}

SpreadForm::SpreadForm() : Form(QStringLiteral("SpreadForm")) { buildControls(); }

SpreadForm::~SpreadForm()
{
    if (scorecardLink().owner == this)
        scorecardLink() = ScorecardLink();
}

void SpreadForm::buildControls()
{
    buildMenus();
    buildToolbars();
    LabelCoachMode = new QLabel(QStringLiteral("Coach mode:"), this);
    ComboCoachMode = new QComboBox(this);
    ComboCoachMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboCoachMode->hide();
    // A pick by the user; program steps go through setCoachModeIndex.
    QObject::connect(ComboCoachMode, &QComboBox::activated, this, [this](int) { ComboCoachMode_Click(); });
    ComboBulkData = new QComboBox(this);
    buildBulkViewControls();

    F1BookMain = new WorkbookControl(this);
    F1BookMain->setHostVisible(false);
    connectWorkbookEvents();
    F1BookIMPORT = new WorkbookControl(this);
    F1BookIMPORT->setHostVisible(false);
    reportspread = new WorkbookControl(this);
    reportspread->setHostVisible(false);
    Reports = std::make_unique<reports::ReportScreen>(reports::ReportWindow{
        this, F1BookMain, reportspread, Toolbar1, [] { return ScorecardPath; },
        [](const QString& text) {
            FormcreatingGraphs& progress = form<FormcreatingGraphs>();
            progress.Show();
            progress.raise();   // in front of the chart being drawn
            progress.Label1->setText(text);
        },
        [] {
            if (formSlot<FormcreatingGraphs>().isLoaded())
                form<FormcreatingGraphs>().Hide();
        },
        [this] { F1BookMain->setHostTag(kChangedMarker.toStdString()); }});
    Picture1 = new QLabel(QStringLiteral("Loading your scorecard..."), this);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAutoFillBackground(true);
    Picture1->lower();
}

void SpreadForm::fillScorecardLink()
{
    ScorecardLink& link = scorecardLink();
    link.owner = this;
    link.showScorecardWindow = [] { form<SpreadForm>().Show(); };
    link.scorecardWindow = []() -> QWidget* { return &form<SpreadForm>(); };
    link.coachMode = [this] { return ComboCoachMode->currentIndex(); };
    link.currentSheet = [this] { return F1BookMain->CurrentSheet(); };
    link.reportVisible = [this] { return reportspread->HostVisible(); };
    link.loading = [this] { return ScorecardLoading == 1; };
    link.bookNumber = [this](int s, int r, int c) { return F1BookMain->BookNumber(s, r, c); };
    link.recalculate = [this] { F1BookMain->RecalculateBook(); };
    link.setCoachMode = [this](int mode) { setCoachModeIndex(mode); };
}

void SpreadForm::Form_Load()
{
    const QString loadErr = QStringLiteral("spreadformLoad_err");
    fillScorecardLink();
    ui::runStep(loadErr, [&] {
        setCaption(App::title());
        F1BookMain->setControlTitle(App::title().toStdString());
        F1BookIMPORT->setControlTitle(App::title().toStdString());
    });
    ScorecardLoading = 1;
    ui::runStep(loadErr, [&] {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        setGeometry(screen);
    });
    ui::runStep(loadErr, [&] {
        ComboCoachMode->show();
        ComboCoachMode->addItems({QStringLiteral("Active Coach"), QStringLiteral("Silent Coach"),
                                  QStringLiteral("Coach Off")});
        ComboCoachMode->setCurrentIndex(-1);
        ComboCoachMode->adjustSize();
    });
    ui::runStep(loadErr, [&] { Show(); });
    ui::runStep(loadErr, [&] { reportspread->setHostZOrder(1); });
    ui::runStep(loadErr, [&] {
        ComboBulkData->hide();
        ComboBulkData->addItems({QStringLiteral("Display actual data"), QStringLiteral("Display targets"),
                                 QStringLiteral("Display actual & targets")});
        ComboBulkData->setCurrentIndex(-1);
    });
    ui::runStep(loadErr, [&] {
        loadscorecard();
        DoEvents();
    });
    if (scorecardRead_)
        ui::runStep(loadErr, [&] { startupcomments(); });
    ui::runStep(loadErr, [&] { showCaption(); });
    ui::runStep(loadErr, [&] { ComboBulkData->hide(); });
    ui::runStep(loadErr, [&] { setCoachModeIndex(CoachModeText.isEmpty() ? 0 : CoachModeFromText(CoachModeText)); });
    ui::runStep(loadErr, [&] { F1BookMain->setHostVisible(true); });
    ui::runStep(loadErr, [&] { SetupScorecard(); });
    ScorecardLoading = 0;
    ui::runStep(loadErr, [&] { pausewhileloading2(); });
    if (spreadFormHooks().importMenuOn && spreadFormHooks().importMenuOn())
        MnuImportData->setVisible(true);
    Form_Resize();
}

void SpreadForm::setCoachModeIndex(int index)
{
    if (index < -1 || index > 2)
        throw RuntimeError(380, "Invalid property value");
    ComboCoachMode->setCurrentIndex(index);
    ComboCoachMode_Click();
}

void SpreadForm::ComboCoachMode_Click()
{
    try {
        const int mode = ComboCoachMode->currentIndex();
        MainVideo& video = form<MainVideo>();
        if (mode == CoachOff) {
            video.MediaPlayer1->close();
            video.Hide();
        } else if (mode == ActiveCoach) {
            video.Show();
            ClearCoachCommentCounters();
        } else if (mode == SilentCoach) {
            video.Show();
        }
        StoreSetting(QStringLiteral("COACHMODE"), QString::number(mode));
        DoEvents();
        video.LabelCoach->setText(kCoachPrompt);
        video.Combo1->setEditText(kTopicPrompt);
        if (mode != CoachOff && ScorecardLoading != 1)
            video.MediaPlayer1->setURL(ProgramFile(QStringLiteral("Templates/intro.wmv")));
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Coachmode_err"));
    }
}

void SpreadForm::loadscorecard()
{
    try {
        Picture1->raise();
        if (LastFilePath.isEmpty()) {
            NewScorecardPending = 1;
            ui::MsgBox(QStringLiteral("You do not appear to have set up a scorecard. \r\nWe will create a new scorecard now?"),
                       ui::OKOnly | ui::Information);
            MnuFileNew_Click();
            return;
        }
        ScorecardPath = LastFilePath;
        if (!FileExists(ScorecardPath)) {
            ui::MsgBox(QStringLiteral("We can't seem to locate your scorecard. Please let us know where it is saved."),
                       ui::OKOnly | ui::Information);
            MnuFileOpen_Click();
            return;
        }
        int type = 0;
        try {
            F1BookMain->ReadBookFile(ScorecardPath.toStdString(), type);
        } catch (const RuntimeError& e) {
            if (e.number() != kUnreadableFile)
                throw;
            // A damaged scorecard stays as it is: without its path Save cannot write over it.
            ScorecardPath.clear();
            ui::MsgBox(QStringLiteral("We can't seem to locate your scorecard. Please let us know where it is saved"),
                       ui::OKOnly | ui::Information);
            MnuFileOpen_Click();
            return;
        }
        scorecardRead_ = true;
        DoEvents();
    } catch (RuntimeError& e) {
        e.passOn("LoadScorecard");
        throw;
    }
}

void SpreadForm::SetupScorecard()
{
    namespace month = scorecard::layout::month;
    try {
        F1BookMain->setCurrentSheet(1);
        F1BookMain->setViewSwitchB(false);
        F1BookMain->setViewSwitchA(false);
        F1BookMain->setEditBarShown(true);
        F1BookMain->SelectBlock(1, 1, month::kPrintLastRow, month::kPrintLastCol);
        F1BookMain->PrintRangeFromSelection();
        // Every column on the page's width, the heads and the KPI names on every page.
        F1BookMain->SetPrintScale(100, true, 0, 1);
        F1BookMain->SetPrintTitles(month::kFirstKpiRow - 1, month::kNameCol);
        DoEvents();
        F1BookMain->SelectBlock(1, 1, 1, 1);
        F1BookMain->PlaceCursor(1, 1);
        F1BookMain->ScrollToCursor();
        F1BookMain->setHostVisible(true);
        F1BookMain->setHostTag({});
        F1BookMain->setControlTitle(App::title().toStdString());
        F1BookMain->setViewNumberA(0);
        DoEvents();
        ShowCoachWindow();
        reportspread->setControlTitle(App::title().toStdString());
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in setupscorecard_err"));
    }
}

void SpreadForm::pausewhileloading2()
{
    // A one-second wait measured on a steady clock, so midnight cannot stretch it.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        Picture1->raise();
        DoEvents();
    }
    Picture1->lower();
}

void SpreadForm::Form_QueryUnload(int& cancel, int)
{
    try {
        if (!isWindowModified())
            return;
        const ui::Answer answer = ui::MsgBox(QStringLiteral("Save Changes?"), ui::YesNoCancel | ui::Question, App::title());
        if (answer == ui::Yes) {
            // A save that failed keeps the window, so nothing typed is lost.
            if (!MnuFilesave_Click())
                cancel = 1;
        } else if (answer == ui::Cancel) {
            cancel = 1;
            if (ComboCoachMode->currentIndex() != CoachOff) {
                MainVideo& video = form<MainVideo>();
                video.Show();
                video.LabelCoach->setText(kCoachPrompt);
                video.Combo1->setEditText(kTopicPrompt);
                video.MediaPlayer1->setURL(ProgramFile(QStringLiteral("Templates/intro.wmv")));
            }
        }
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("Error in QueryUnloadErr"));
    }
}

void SpreadForm::Form_Unload(int&)
{
    if (spreadFormHooks().unloadAllForms)
        spreadFormHooks().unloadAllForms();
}

void SpreadForm::MnuExit_Click()
{
    ui::runStep(QStringLiteral("MnuExit_Click_err"), [] {
        if (spreadFormHooks().unloadAllForms)
            spreadFormHooks().unloadAllForms();
    });
}

int SpreadForm::innerTop() const { return MenuBar->sizeHint().height(); }

void SpreadForm::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    if (isLoaded())
        Form_Resize();
}

void SpreadForm::Form_Resize()
{
    if (isMinimized())
        return;
    try {
        MenuBar->setGeometry(0, 0, width(), innerTop());
        const int top = innerTop();
        const int innerWidth = width();
        const int innerHeight = height() - top;
        Toolbar1->adjustSize();
        Toolbar2->adjustSize();
        LabelCoachMode->adjustSize();
        Toolbar1->move(0, top);
        Toolbar2->setGeometry(static_cast<int>(widened(Toolbar1->width())), top, Toolbar2->sizeHint().width(),
                              Toolbar1->height());
        const int nextSlot = Toolbar2->x() + static_cast<int>(widened(Toolbar2->width()));
        ComboBulkData->move(nextSlot, top);
        placeBulkViewControls();
        LabelCoachMode->move(nextSlot, top + (Toolbar2->height() - LabelCoachMode->height()) / 2);
        ComboCoachMode->move(LabelCoachMode->x() + static_cast<int>(widened(LabelCoachMode->width())),
                             top + (Toolbar2->height() - ComboCoachMode->height()) / 2);
        const int bandTop = top + Toolbar2->height();
        const int bandHeight = std::max(0, innerHeight - Toolbar2->height());
        F1BookMain->setGeometry(0, bandTop, innerWidth, bandHeight);
        Picture1->setGeometry(0, bandTop, innerWidth, bandHeight);
        Picture1->lower();
        Reports->place(0, bandTop, innerWidth, bandHeight);
    } catch (const RuntimeError& e) {
        ui::showFailure(e, QStringLiteral("spreadformResize_err"));
    }
}

}
