#pragma once
// The media-player control: a path put into it plays; close stops and
// releases the file; the play state uses the player control's numbering.
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;
class QStackedLayout;

namespace ks {

enum PlayState : int {
    PlayStateUndefined = 0,
    PlayStateStopped = 1,
    PlayStatePaused = 2,
    PlayStatePlaying = 3,
    PlayStateMediaEnded = 8,
    PlayStateTransitioning = 9,
    PlayStateReady = 10,
};

class VideoScreen;

class MediaPlayer : public QWidget {
    Q_OBJECT
public:
    // Raises error 339 when no media backend can be created.
    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    QString URL() const { return url_; }
    // Plays the file at path; "" just stops.
    void setURL(const QString& path);
    // Stops and releases the file.
    void close();
    int playState() const { return state_; }

    // The text shown in place of the picture when a file cannot be played.
    QString errorText() const;
    // The area the picture is painted in.
    QWidget* pictureArea() const;

signals:
    // Raised on every change of the play state, with the new state; not while the player goes.
    void PlayStateChange(int newState);

private:
    void setState(int state);
    void buildControls();
    void showError(const QString& text);

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    VideoScreen* video_ = nullptr;
    QLabel* error_ = nullptr;
    QStackedLayout* screen_ = nullptr;
    QPushButton* playPause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QSlider* position_ = nullptr;
    QString url_;
    int state_ = PlayStateUndefined;
    // Set while the program itself stops or replaces the file, so that only a
    // natural end reads as "media ended".
    bool interrupting_ = false;
};

}
