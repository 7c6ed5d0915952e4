#pragma once
// The coach's video window: the one player every video plays in, the topic
// list of the video folder, the coach's message and the RES button.
#include "platform/runtime/form.h"

#include <QStringList>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ks {

class MediaPlayer;

class MainVideo : public Form {
public:
    // Raises 339 when the player cannot be created.
    MainVideo();

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

    void loadvideo();
    void loadcombo();
    QStringList GetFiles(const QString& filespec, int attributes = 0);
    bool DirExists(const QString& dirname);
    void CoachQuestions() {}

    void Combo1_Click();
    void Command1_Click();
    void CommandVidOptions_Click();
    void CommandRes_Click();
    void MediaPlayer1_PlayStateChange(int newState);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void handleVideoFolderFailure(int number);
    bool placing_ = false;
};

// Shows the coach window unless the coach is off.
void ShowCoachWindow();
// Like ShowCoachWindow, but hidden unless the workbook shows sheet 1 and no report.
void UpdateCoachWindow();

}
