// The print preview's toolbar: printing, orientation, pages, fit, and spreading the
// diagram over a number of pages down or across.
#include "container/frm_print.h"

#include "common/dialogs.h"
#include "container/lock_window_update.h"
#include "container/print_icons.h"
#include "platform/controls/keyed_menu.h"
#include "platform/controls/keyed_toolbar.h"
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/print_preview.h"
#include "platform/printing/printers.h"
#include "platform/printing/show_printer.h"
#include "platform/runtime/events.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QStyle>
#include <algorithm>
#include <cmath>

namespace ks::container {

void frmPrint::buildToolbar()
{
    using controls::ButtonKind;
    controls::ImageList ils16;
    addPrintPreviewPictures(ils16);
    const auto picture = [&](const char* key) { return ils16.Picture(ils16.IndexOf(key)); };
    tlbPint->setIconSize({16, 16});
    tlbPint->Build({
        {"PRINT", "", "Print", picture("PRINT")},
        {"PORTRAIT", "", "Portrait", picture("PORTRAIT")},
        {"LANDSCAPE", "", "Landscape", picture("LANDSCAPE")},
        {"PRIOR", "", "Previous Page", picture("PRIOR")},
        {"NEXT", "", "Next Page", picture("NEXT")},
        {"FIT", "", "Fit to one page", picture("FIT"), ButtonKind::Check},
        {"DOWN", "", "", picture("DOWN"), ButtonKind::DropDown},
        {"WIDE", "", "", picture("WIDE"), ButtonKind::DropDown},
    });
    for (const char* button : {"DOWN", "WIDE"}) {
        controls::KeyedMenu* menu = tlbPint->ButtonMenu(button);
        for (int n = 1; n <= 10; ++n)
            menu->Add({QString::number(n), "", QString::number(n), {}, true, true});
    }
    QObject::connect(tlbPint, &controls::KeyedToolBar::ButtonClick, this, &frmPrint::tlbPint_ButtonClick);
    QObject::connect(tlbPint, &controls::KeyedToolBar::ButtonMenuClick, this, &frmPrint::tlbPint_ButtonMenuClick);
}

void frmPrint::tlbPint_ButtonClick(const QString& buttonKey)
{
    ui::runStep("Error in frmPrint: Sub tlbPint_ButtonClick", [&] { runButton(buttonKey.toUpper()); });
}

void frmPrint::runButton(const QString& key)
{
    if (key == "PRINT") {
        printThroughChosenPrinter();
    } else if (key == "PORTRAIT" || key == "LANDSCAPE") {
        setOrientation(key == "PORTRAIT" ? printing::kPortrait : printing::kLandscape);
    } else if (key == "NEXT") {
        PrnFlow1->NextPage();
    } else if (key == "PRIOR") {
        PrnFlow1->PreviousPage();
    } else if (key == "FIT") {
        PrnFlow1->setFitToPage(tlbPint->Checked("FIT"));
        PrnFlow1->Refresh();
        ShowPages();
    } else if (key == "DOWN" || key == "WIDE") {
        resetDiagramZoom();
        PrnFlow1->Refresh();
        ShowPages();
    }
}

// Printed straight on the printer the user picked: the system's default printer is
// never changed for it, and a cancelled dialog prints nothing.
void frmPrint::printThroughChosenPrinter()
{
    printing::CurrentPrinter().setOrientation(PrnFlow1->Orientation() == printing::kLandscape
                                                  ? printing::kLandscape
                                                  : printing::kPortrait);
    std::int32_t flags = 0;
    // A failed print is reported and still closes the window, as a cancelled one does.
    ui::runStep("Error in frmPrint: Sub tlbPint_ButtonClick", [&] {
        if (printing::ShowPrinter(this, flags))
            PrnFlow1->Print(printing::CurrentPrinter().qprinter());
    });
    Unload();
}

void frmPrint::setOrientation(int orientation)
{
    PrnFlow1->setOrientation(orientation);
    PrnFlow1->Refresh();
    ShowPages();
}

void frmPrint::tlbPint_ButtonMenuClick(const QString& buttonKey, const QString& itemKey)
{
    const QString key = buttonKey.toUpper();
    bool number = false;
    const int pages = itemKey.toInt(&number);
    if ((key != "DOWN" && key != "WIDE") || !number)
        return;
    HourglassOn();
    ui::runStep("Error in frmPrint: Sub tlbPint_ButtonMenuClick", [&] {
        clsLockWindowUpdate lock;
        resetDiagramZoom();
        controls::KeyedMenu* menu = tlbPint->ButtonMenu(key);
        for (int n = 1; n <= menu->Count(); ++n)
            menu->setChecked(menu->Key(n), false);
        menu->setChecked(itemKey, true);
        runButton(key);
        spreadOverPages(key, pages);
        PrnFlow1->Refresh();
        ShowPages();
    });
    HourglassOff();
}

// Zooms the diagram to n screens and lays out again, one screen more each round, until
// the pages in the button's direction reach the number chosen (at most 20 rounds).
void frmPrint::spreadOverPages(const QString& key, int pages)
{
    int n = pages;
    ZoomToScreens(n);
    PrnFlow1->Refresh();
    const auto reached = [&] { return key == "DOWN" ? PrnFlow1->PagesDown() : PrnFlow1->PagesAcross(); };
    for (int round = 0; round < 20 && reached() < pages; ++round) {
        PrnFlow1->Refresh();
        ZoomToScreens(n);
        ++n;
    }
}

void frmPrint::ZoomToScreens(int n)
{
    if (!af_)
        return;
    const double w = af_->DiagramWidth(), h = af_->DiagramHeight();
    if (w == 0 || h == 0)
        return;
    const int bar = af_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double visibleWidth = pixelsToTwipsX(af_->width()) - bar * twipsPerPixelX();
    const double visibleHeight = pixelsToTwipsY(af_->height()) - bar * twipsPerPixelY();
    // Halves round to even.
    const double zx = std::nearbyint(visibleWidth * (n * 100) / w);
    const double zy = std::nearbyint(visibleHeight * (n * 100) / h);
    // The control takes zooms of 1 to 10000; a diagram far smaller or larger than
    // the screen stops there.
    const int zoom = int(std::clamp(std::min(zx, zy), 1.0, 10000.0));
    af_->setXZoom(zoom);
    af_->setYZoom(zoom);
}

}
