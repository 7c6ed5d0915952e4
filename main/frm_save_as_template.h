#pragma once
// The video-folder dialog: the user points the program at "intro.wmv" in the
// folder of the coaching videos.
#include "platform/runtime/form.h"

class QLabel;
class QPushButton;

namespace ks {

// The last file chosen with the browse button, later the accepted folder.
extern QString DialogFolder;
// Root of the first optical drive with a disc, "" when there is none.
extern QString CDDrive;
void FindCDDrive();

class frmSaveAsTemplate : public Form {
public:
    frmSaveAsTemplate();

    QLabel* Label1 = nullptr;
    QLabel* lblOutput = nullptr;
    QLabel* lblOutputPath = nullptr;
    QPushButton* cmdPath = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdPath_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    static QString designedExplanation();

protected:
    void Form_Load() override;

private:
    bool labelHasIntro() const;
    void setButtonsEnabled(bool on);
};

}
