#pragma once
// The video-folder dialog: the user points the program at "intro.wmv" in the
// folder of the coaching videos.
#include "common/video_folder_dialog.h"

namespace ks {

// The last file chosen with the browse button, later the accepted folder.
extern QString DialogFolder;
// Root of the first optical drive with a disc, "" when there is none.
extern QString CDDrive;
void FindCDDrive();
// The mount point of the first optical disc in a mount table's text, "" when none.
QString firstOpticalMount(const QByteArray& mountTable);

class frmSaveAsTemplate : public VideoFolderDialog {
public:
    frmSaveAsTemplate();

    void cmdPath_Click();
    void cmdOK_Click();

protected:
    void Form_Load() override;
    void runMain() override;
};

}
