#include "container/frm_print.h"

#include "container/module_procedures.h"
#include "container/registry_settings.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/controls/status_bar.h"
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/print_preview.h"
#include "platform/printing/printers.h"
#include "platform/runtime/app.h"
#include "platform/ui/failure.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>

namespace ks::container {
namespace {

// A stored fit value: "True"/"False" as written, or a number (0 is false). Anything
// else was not written by this window and leaves the value as it is.
bool storedBool(const QString& text, bool otherwise)
{
    const QString t = text.trimmed();
    if (t.compare("True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double value = t.toDouble(&number);
    return number ? value != 0 : otherwise;
}

// A stored orientation: 1 or 2; anything else leaves the orientation as it is.
int storedOrientation(const QString& text, int otherwise)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    return number && (value == printing::kPortrait || value == printing::kLandscape) ? value : otherwise;
}

}

frmPrint::frmPrint() : Form("frmPrint")
{
    setWindowTitle("Print");
    cbaPrint = new QWidget(this);
    auto* band = new QHBoxLayout(cbaPrint);
    band->setContentsMargins(2, 2, 2, 2);
    tlbPint = new controls::KeyedToolBar(cbaPrint);
    lblZoom = new QLabel("Zoom:", cbaPrint);
    cboZoom = new QComboBox(cbaPrint);
    band->addWidget(tlbPint);
    band->addWidget(lblZoom);
    band->addWidget(cboZoom);
    band->addStretch();
    for (int percent = 10; percent <= 200; percent += 10)
        cboZoom->addItem(QString::number(percent) + "%", percent);
    QObject::connect(cboZoom, &QComboBox::activated, this, [this] { cboZoom_Click(); });

    PrnFlow1 = new diagram::PrintPreview(this);
    staPrint = new controls::StatusBar(this);
    staPrint->AddPanel("PAGE", QString(), 1800);
    staPrint->AddPanel("VPAGE", QString(), 2400);
    staPrint->AddPanel("HPAGE", QString(), 2600, true);
    buildToolbar();
    resize(800, 600);
}

frmPrint::~frmPrint() = default;

diagram::DiagramControl* frmPrint::AF() const { return af_; }
void frmPrint::setAF(diagram::DiagramControl* diagram) { af_ = diagram; }

void frmPrint::Form_Load()
{
    PrnFlow1->setTitle(App::title());
    PrnFlow1->setFitToPage(true);
    printing::Printer& printer = printing::CurrentPrinter();
    printer.setOrientation(printing::kLandscape);
    PrnFlow1->setOrientation(printing::kLandscape);
    PrnFlow1->setPageSize(printer.qprinter().pageLayout().pageSize());

    PrnFlow1->setFitToPage(storedBool(GetSet("FitToPage", PrnFlow1->FitToPage() ? "True" : "False"),
                                      PrnFlow1->FitToPage()));
    PrnFlow1->setFooter(GetSet("Footer", PrnFlow1->Footer()));
    PrnFlow1->setHeader(GetSet("Header", PrnFlow1->Header()));
    PrnFlow1->setOrientation(
        storedOrientation(GetSet("Ori", QString::number(PrnFlow1->Orientation())), PrnFlow1->Orientation()));
    printer.setOrientation(PrnFlow1->Orientation() == printing::kLandscape ? printing::kLandscape
                                                                            : printing::kPortrait);
}

void frmPrint::Form_Activate()
{
    tlbPint->setChecked("FIT", PrnFlow1->FitToPage());
    DoSetIndex(*cboZoom, PrnFlow1->Zoom() != 0 ? PrnFlow1->Zoom() : 100);
    ShowPages();
}

void frmPrint::ShowPages()
{
    staPrint->setPanelText("PAGE", "Pages: " + QString::number(PrnFlow1->CurrentPage()) + "/" +
                                       QString::number(PrnFlow1->PageCount()));
    staPrint->setPanelText("VPAGE", "Vertical Pages: " + QString::number(PrnFlow1->PagesDown()));
    staPrint->setPanelText("HPAGE", "Horizontal Pages: " + QString::number(PrnFlow1->PagesAcross()));
}

void frmPrint::cboZoom_Click()
{
    if (cboZoom->currentIndex() >= 0)
        PrnFlow1->setZoom(cboZoom->currentData().toInt());
}

// Showing makes the window the active one, also where no window manager says so.
bool frmPrint::event(QEvent* event)
{
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) && isLoaded())
        Form_Activate();
    return Form::event(event);
}

void frmPrint::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void frmPrint::Form_Resize()
{
    ui::runStep("Error in frmPrint: Sub Form_Resize", [&] {
        // The tool band and the status bar take their rows; the preview fills the rest.
        const int top = cbaPrint->sizeHint().height();
        const int bottom = staPrint->sizeHint().height();
        cbaPrint->setGeometry(0, 0, width(), top);
        staPrint->setGeometry(0, height() - bottom, width(), bottom);
        PrnFlow1->setGeometry(0, top, width(), std::max(0, height() - top - bottom));
    });
}

void frmPrint::Form_Unload(int&)
{
    resetDiagramZoom();
    ui::runStep("Error in frmPrint: Sub Form_Unload", [&] {
        SaveSet("FitToPage", PrnFlow1->FitToPage() ? "True" : "False");
        SaveSet("Footer", PrnFlow1->Footer());
        SaveSet("Header", PrnFlow1->Header());
        SaveSet("Ori", QString::number(PrnFlow1->Orientation()));
    });
}

void frmPrint::resetDiagramZoom()
{
    if (!af_)
        return;
    af_->setXZoom(100);
    af_->setYZoom(100);
}

}
