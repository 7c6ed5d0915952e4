#pragma once
#include "common/video_window.h"

#include <QStringList>

namespace ks {

// The coach's window: its topics are the video folder's "videos", its
// buttons clear the counters, answer questions and open the video-folder dialog.
class MainVideo : public VideoWindow {
public:
    // Raises 339 when the player cannot be created.
    MainVideo();

    void loadvideo();
    void loadcombo();
    QStringList GetFiles(const QString& filespec, int attributes = 0);
    bool DirExists(const QString& dirname);

    void CommandVidOptions_Click();
    void CommandRes_Click();
    void MediaPlayer1_PlayStateChange(int newState);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void showVideoFolderDialog() override;

private:
    void handleVideoFolderFailure(int number);
};

// Shows the coach window unless the coach is off.
void ShowCoachWindow();
// Like ShowCoachWindow, but hidden unless the workbook shows sheet 1 and no report.
void UpdateCoachWindow();

}
