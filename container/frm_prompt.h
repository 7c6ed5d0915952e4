#pragma once
// "Startup": asks whether to open the first start-up document.
#include "platform/runtime/form.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace ks::container {

class frmPrompt : public Form {
public:
    frmPrompt();

    QLabel* lbl = nullptr;
    QCheckBox* chkNotAgain = nullptr;
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdNo = nullptr;

    // Whether the user answered Yes; kept after the window is unloaded.
    static bool ClickYes();
    static void setClickYes(bool yes);

    void cmdYes_Click();
    void cmdNo_Click();

protected:
    void Form_Load() override;
};

}
