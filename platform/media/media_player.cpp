#include "platform/media/media_player.h"

#include "platform/media/video_screen.h"
#include "platform/runtime/runtime_error.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace ks {

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent)
{
    player_ = new QMediaPlayer(this);
    if (!player_->isAvailable())
        throw RuntimeError(339, "Component 'wmp.dll' or one of its dependencies not correctly registered: "
                                "a file is missing or invalid");
    // Without a sound device the picture plays silently: an audio output with
    // no device behind it brings the FFmpeg backend down.
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
    }
    buildControls();

    QObject::connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState s) {
        if (interrupting_)
            return;
        if (s == QMediaPlayer::PlayingState) setState(PlayStatePlaying);
        else if (s == QMediaPlayer::PausedState) setState(PlayStatePaused);
        else if (player_->mediaStatus() != QMediaPlayer::EndOfMedia) setState(PlayStateStopped);
    });
    QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia && !interrupting_)
            setState(PlayStateMediaEnded);
    });
    QObject::connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        showError(text.isEmpty() ? "The file cannot be played." : text);
        setState(PlayStateReady);
    });
    QObject::connect(player_, &QMediaPlayer::durationChanged, this,
                     [this](qint64 ms) { position_->setRange(0, int(ms)); });
    QObject::connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
        if (!position_->isSliderDown())
            position_->setValue(int(ms));
    });
}

MediaPlayer::~MediaPlayer()
{
    interrupting_ = true;
    // The window listening may be half destroyed already: stopping the media is no news to it.
    blockSignals(true);
}

void MediaPlayer::buildControls()
{
    video_ = new VideoScreen;
    player_->setVideoSink(video_->sink());
    error_ = new QLabel;
    error_->setAlignment(Qt::AlignCenter);
    error_->setWordWrap(true);
    error_->setStyleSheet("background: black; color: white;");
    screen_ = new QStackedLayout;
    screen_->addWidget(video_);
    screen_->addWidget(error_);

    playPause_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QString());
    stop_ = new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QString());
    position_ = new QSlider(Qt::Horizontal);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(playPause_);
    bar->addWidget(stop_);
    bar->addWidget(position_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(screen_, 1);
    layout->addLayout(bar);

    QObject::connect(playPause_, &QPushButton::clicked, this, [this] {
        if (player_->playbackState() == QMediaPlayer::PlayingState)
            player_->pause();
        else if (!url_.isEmpty())
            player_->play();
    });
    QObject::connect(stop_, &QPushButton::clicked, this, [this] { player_->stop(); });
    QObject::connect(position_, &QSlider::sliderMoved, this, [this](int ms) { player_->setPosition(ms); });
    QObject::connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState s) {
        playPause_->setIcon(style()->standardIcon(s == QMediaPlayer::PlayingState ? QStyle::SP_MediaPause
                                                                                   : QStyle::SP_MediaPlay));
    });
}

void MediaPlayer::setURL(const QString& path)
{
    // Replacing a file that plays is not its end.
    interrupting_ = true;
    player_->stop();
    url_ = path;
    player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    interrupting_ = false;
    video_->clear();
    screen_->setCurrentIndex(0);
    if (path.isEmpty()) {
        setState(PlayStateStopped);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        showError("The file cannot be found:\n" + path);
        setState(PlayStateReady);
        return;
    }
    setState(PlayStateTransitioning);
    player_->play();
}

void MediaPlayer::close()
{
    interrupting_ = true;
    player_->stop();
    player_->setSource(QUrl());
    interrupting_ = false;
    video_->clear();
    url_.clear();
    setState(PlayStateStopped);
}

QString MediaPlayer::errorText() const
{
    return screen_->currentIndex() == 1 ? error_->text() : QString();
}

QWidget* MediaPlayer::pictureArea() const { return video_; }

void MediaPlayer::showError(const QString& text)
{
    error_->setText(text);
    screen_->setCurrentIndex(1);
}

void MediaPlayer::setState(int state)
{
    if (state == state_)
        return;
    state_ = state;
    emit PlayStateChange(state);
}

}
