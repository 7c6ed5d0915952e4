#pragma once
// The hidden shared window: it holds what every main window and the about
// window share (the program icon, the list bar's item icons, the font lists)
// and counts the main windows in use. When the last one closes it unloads
// itself and the auxiliary windows, so that the program ends.
#include "platform/controls/image_list.h"
#include "platform/runtime/form.h"
#include "platform/runtime/timer.h"

class QComboBox;

namespace ks::container {

class frmPics : public Form {
public:
    frmPics();

    QComboBox* cboFont = nullptr;
    QComboBox* cboFontSize = nullptr;
    controls::ImageList MilRB;   // the list bar's item icons, keyed by file path
    Timer tmrEnd;

    int usage() const { return usage_; }
    void AddUsage() { ++usage_; }
    // One main window fewer; the last one ends the program, otherwise the end
    // timer tidies up 500 ms later.
    void RemoveUsage();
    void tmrEnd_Timer();

    // The program's icon, which every main window and the about window show.
    static QIcon programIcon();
    // The auxiliary windows unloaded at the end, in their order.
    static std::vector<FormSlot*> auxiliaryWindows();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    int usage_ = 0;
};

}
