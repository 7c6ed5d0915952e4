#pragma once
// The print preview of a diagram: zoom, turn pages, switch orientation, fit the
// diagram to one page or spread it over pages across and down, and print it on a
// printer the user picks. Fit, header, footer and orientation are kept in the
// registry from one showing to the next. A caller sets AF to the diagram, attaches
// that diagram to PrnFlow1 and shows the window.
#include "platform/runtime/form.h"

#include <QPointer>

class QComboBox;
class QLabel;

namespace ks::controls {
class KeyedToolBar;
class StatusBar;
}
namespace ks::diagram {
class DiagramControl;
class PrintPreview;
}

namespace ks::container {

class frmPrint : public Form {
public:
    frmPrint();
    ~frmPrint() override;

    diagram::DiagramControl* AF() const;
    void setAF(diagram::DiagramControl* diagram);

    diagram::PrintPreview* PrnFlow1 = nullptr;
    QWidget* cbaPrint = nullptr;
    controls::KeyedToolBar* tlbPint = nullptr;
    QLabel* lblZoom = nullptr;
    QComboBox* cboZoom = nullptr;
    controls::StatusBar* staPrint = nullptr;

    // Each time the window becomes active: the fit button, the zoom entry, the page counts.
    void Form_Activate();
    void tlbPint_ButtonClick(const QString& key);
    // An item "1" to "10" of the DOWN or WIDE button's menu.
    void tlbPint_ButtonMenuClick(const QString& buttonKey, const QString& itemKey);
    void cboZoom_Click();
    // The status-bar panels from the preview's layout.
    void ShowPages();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolbar();
    // A toolbar button's action by its upper-case key; failures reach the handler.
    void runButton(const QString& key);
    void Form_Resize();
    void printThroughChosenPrinter();
    void setOrientation(int orientation);
    void resetDiagramZoom();
    // Zooms the diagram so that it spans n of the control's visible areas.
    void ZoomToScreens(int n);
    void spreadOverPages(const QString& buttonKey, int pages);

    QPointer<diagram::DiagramControl> af_;
};

}
