#pragma once
// The player's picture: the frames of a video sink painted as part of the
// widget. A native video window inside the player would be lost whenever the
// top-level window is re-created (a change of its window flags, such as
// "stay on top", does that) and cannot be grabbed offscreen.
#include <QVideoFrame>
#include <QWidget>

class QVideoSink;

namespace ks {

class VideoScreen : public QWidget {
public:
    explicit VideoScreen(QWidget* parent = nullptr);

    QVideoSink* sink() const { return sink_; }
    // Back to the empty screen, as when no file is open.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVideoSink* sink_ = nullptr;
    QVideoFrame frame_;
};

}
