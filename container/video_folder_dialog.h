#pragma once
// The container's video-folder dialog: the shared dialog whose OK only checks
// the label and whose Cancel runs the container's start-up again. The
// container keeps no video folder, so the dialog stores nothing.
#include "common/video_folder_dialog.h"

namespace ks::container {

class frmSaveAsTemplate : public VideoFolderDialog {
public:
    frmSaveAsTemplate();

    void cmdOK_Click();

protected:
    void runMain() override;
};

}
