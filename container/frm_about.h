#pragma once
// Help > About: the program's icon, title, version, description and legal
// notice, and a button that starts the system information program.
#include "platform/registry/registry_codes.h"
#include "platform/runtime/form.h"

class QLabel;
class QPushButton;

namespace ks::container {

class frmAbout : public Form {
public:
    frmAbout();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system information program, or says that it cannot.
    void StartSysInfo();

protected:
    void Form_Load() override;
};

// One registry value as text; false (and an empty text) when the key or the
// value cannot be read.
bool GetKeyValue(registry::HKEY root, const QString& keyName, const QString& valueName, QString& text);

}
