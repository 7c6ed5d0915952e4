#pragma once
// The page setup of the print preview: header, footer, orientation and fit to one
// page. OK hands them to the preview (which keeps them when it closes); Cancel
// changes nothing.
#include "platform/runtime/form.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ks::container {

class frmPageSetup : public Form {
public:
    frmPageSetup();

    QLineEdit* txtHeader = nullptr;
    QLineEdit* txtFooter = nullptr;
    QGroupBox* fraOrientation = nullptr;
    QRadioButton* optOri[2] = {nullptr, nullptr};   // 0 portrait, 1 landscape
    QCheckBox* chkFit = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
};

}
