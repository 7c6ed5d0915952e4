#include "container/frm_main.h"

#include "container/container_settings.h"
#include "container/document_state.h"
#include "container/frm_pics.h"
#include "container/frm_splash.h"
#include "container/notes_pane.h"
#include "container/progress_on_status_bar.h"
#include "container/tab_strip.h"
#include "container/vek_dll.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/controls/list_bar.h"
#include "platform/controls/splitter.h"
#include "platform/controls/status_bar.h"
#include "platform/runtime/events.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"

#include <QFrame>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace ks::container {
namespace {

// A plain pane that tells its owner when it was resized.
class RightPane : public QWidget {
public:
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (onResize)
            onResize();
    }
};

}

frmMain::frmMain()
    : Form("frmMain"), tmrBar([this] { tmrBar_Timer(); }, 50), tmrResize([this] { tmrResize_Timer(); }, 250)
{
    buildControls();
    buildMenus();
    buildToolbar();
    Frame1->setFixedHeight(Toolbar2->sizeHint().height());
    resize(900, 620);
}

frmMain::~frmMain() = default;

std::vector<frmMain*> frmMain::loadedWindows()
{
    std::vector<frmMain*> windows;
    for (Form* form : Form::loadedForms())
        if (auto* window = dynamic_cast<frmMain*>(form))
            windows.push_back(window);
    return windows;
}

void frmMain::buildControls()
{
    menuBar = new QMenuBar(this);
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::NoFrame);
    Toolbar2 = new controls::KeyedToolBar(Frame1);
    auto* frameFill = new QVBoxLayout(Frame1);
    frameFill->setContentsMargins(0, 0, 0, 0);
    frameFill->addWidget(Toolbar2);

    SSSplitter1 = new controls::Splitter(Qt::Horizontal, this);
    RB = new controls::ListBar;
    RB->setMinimumWidth(220);
    auto* right = new RightPane;
    right->onResize = [this] { picRHS_Resize(); };
    picRHS = right;
    SSSplitter1->setPaneContent("Pane A", RB);
    SSSplitter1->setPaneContent("Pane B", picRHS);
    SSSplitter1->setSizes({260, 640});

    SSTab_ctl = new QTabBar(picRHS);
    SSTab_ctl->setShape(QTabBar::RoundedSouth);
    SSTab_ctl->setExpanding(false);
    SSTab_ctl->addTab("Map 1");
    Toc1 = new NotesPane(picRHS);
    QObject::connect(Toc1, &NotesPane::Change, this, &frmMain::Toc1_Change);

    staMain = new controls::StatusBar(this);
    staMain->AddPanel("DOING", "", 2880, true);
    staMain->AddPanel("PROGRESS", "", 2400);
    prg1 = new QProgressBar(staMain);
    prg1->setTextVisible(false);
    prg1->hide();

    QObject::connect(RB, &controls::ListBar::BarClick, this, &frmMain::RB_BarClick);
    QObject::connect(RB, &controls::ListBar::ItemClick, this, &frmMain::RB_ItemClick);
}

void frmMain::Form_Load()
{
    try {
        tabStrip_ = std::make_unique<clsTabStrip>();
        tabStrip_->setTabStrip(SSTab_ctl);
        InitializeToc(Toc1->hWnd());
        ShowProgress("Loading Bar Items");
        LoadRadBar();
        ShowProgress("Loading Menus");
        ShowProgress("Loading Toolbars");
        setCaption(settings().title);
        ShowProgress("Loading Defaults");
        ShowProgress("");
        // A window loaded after start-up touched the splash only for its progress texts.
        if (!form<frmSplash>().isVisible())
            formSlot<frmSplash>().Unload();
        Initialize();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in frmMain: Sub Form_Load");
    }
}

// ---- Layout: the menu bar on top and the status bar at the bottom frame the
// window's inner area, in which the toolbar's frame and the splitter lie.

void frmMain::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    const int menuHeight = menuBar->sizeHint().height();
    const int statusHeight = staMain->sizeHint().height();
    menuBar->setGeometry(0, 0, width(), menuHeight);
    staMain->setGeometry(0, height() - statusHeight, width(), statusHeight);
    Frame1->move(0, menuHeight);

    // Every failure is passed over: a control that cannot take a size keeps its old one.
    const double scaleWidth = pixelsToTwipsX(width());
    const double innerTop = pixelsToTwipsY(menuHeight);
    const double scaleHeight = pixelsToTwipsY(height() - statusHeight) - innerTop;
    const double splitterTop = pixelsToTwipsY(Frame1->height());
    prg1->hide();
    try {
        SSSplitter1->Move(0, innerTop + splitterTop, scaleWidth, scaleHeight - splitterTop);
    } catch (const RuntimeError&) {
    }
    Frame1->resize(width(), Frame1->height());
    tmrResize.setEnabled(true);
}

void frmMain::picRHS_Resize()
{
    ui::runStep("Error in frmMain: Sub picRHS_Resize", [&] { placeRightPane(); });
}

void frmMain::placeRightPane()
{
    // The tab strip's row lies along the bottom; the notes pane fills the rest.
    const double width = pixelsToTwipsX(picRHS->width()), height = pixelsToTwipsY(picRHS->height());
    const double tabs = tabStrip().TabHeight();
    tabStrip().Move(0, height - tabs, width, tabs);
    Toc1->setGeometry(0, 0, twipsToPixelsX(width), std::max(0, twipsToPixelsY(height - tabs)));
    Toc1->setVisible(true);
    placeDiagrams(Toc1->geometry());
}

void frmMain::tmrResize_Timer()
{
    ui::runStep("Error in frmMain: Sub tmrResize_Timer", [&] {
        tmrResize.setEnabled(false);
        std::vector<StatusPanelPlace> panels;
        for (const controls::PanelPlace& place : staMain->PanelPlaces())
            panels.push_back({place.key, place.left, place.width});
        cProgressOnStatusBar().SetProgressBar(*prg1, *staMain, panels);
        prg1->show();
    });
}

void frmMain::DoResize()
{
    passingOn("DoResize", [&] {
        QResizeEvent same(size(), size());
        resizeEvent(&same);
        placeRightPane();
    });
}

void frmMain::DoStatus(const QString& sText)
{
    passingOn("DoStatus", [&] {
        staMain->setPanelText("DOING", sText);
        staMain->repaint();
    });
}

}
