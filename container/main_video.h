#pragma once
// The container's video window: the shared window with the container's own
// load, start, buttons, close and player events. It plays what the main
// window's items hand it and fills no topic list.
#include "common/video_window.h"

namespace ks::container {

class MainVideo : public VideoWindow {
public:
    MainVideo();

    // Shows the window with its question prompt.
    void StartUp();
    void CommandVidOptions_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void showVideoFolderDialog() override;
};

}
