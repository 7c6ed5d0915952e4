#pragma once
// Help > About: title, version, description and legal notice.
#include "platform/runtime/form.h"
#include "scorecard/window/progress_window.h"

class QLabel;
class QPushButton;

namespace ks {

class frmAbout : public Form {
public:
    frmAbout();

    QLabel* lblTitle = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;

    void cmdOK_Click();

protected:
    void Form_Load() override;
};

}
