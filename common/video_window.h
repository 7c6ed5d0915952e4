#pragma once
// The video window both programs play their videos in: the player, the
// question box, the coach's message and the buttons, placed topmost near the
// screen's corner. Each program's window derives from it and gives its own
// load, start, button, close and player-event procedures.
#include "platform/runtime/form.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ks {

class MediaPlayer;

class VideoWindow : public Form {
public:
    MediaPlayer* MediaPlayer1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* LabelCoach = nullptr;
    QLabel* LabelQid = nullptr;
    std::array<QRadioButton*, 5> Optionyesno{};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* CommandVidOptions = nullptr;
    QPushButton* CommandRes = nullptr;
    QLabel* loadingtext = nullptr;

    // Plays the topic chosen in the question box from the video folder's "videos".
    void Combo1_Click();
    // Shows the program's video-folder dialog and unloads the window.
    void Command1_Click();
    void CoachQuestions() {}

protected:
    // Raises 339 when the player cannot be created.
    VideoWindow();
    // The program's video-folder dialog, not modal.
    virtual void showVideoFolderDialog() = 0;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    bool placing_ = false;
};

}
