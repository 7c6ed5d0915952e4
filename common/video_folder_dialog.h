#pragma once
// The video-folder dialog both programs show: the user points it at
// "intro.wmv" in the folder of the coaching videos. Its Cancel tells the user
// what they miss, unloads the dialog and runs the program's own start-up again;
// each program gives the dialog's load, browse and OK procedures.
#include "platform/runtime/form.h"

class QLabel;
class QPushButton;

namespace ks {

class VideoFolderDialog : public Form {
public:
    QLabel* Label1 = nullptr;
    QLabel* lblOutput = nullptr;
    QLabel* lblOutputPath = nullptr;
    QPushButton* cmdPath = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdCancel_Click();

    static QString designedExplanation();

protected:
    VideoFolderDialog();
    // The program's entry procedure.
    virtual void runMain() = 0;

    bool labelHasIntro() const;
    void setButtonsEnabled(bool on);
    // "Please select the directory ..." when the label names no "intro.wmv".
    void askForIntro();
    // True when the folder's "videos" lists fewer than two entries and the
    // user chooses to look again.
    bool noVideosAndLookAgain(const QString& folder);
};

}
