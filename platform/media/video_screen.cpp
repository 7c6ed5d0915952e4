#include "platform/media/video_screen.h"

#include <QPainter>
#include <QVideoSink>

namespace ks {

VideoScreen::VideoScreen(QWidget* parent) : QWidget(parent), sink_(new QVideoSink(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QObject::connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        // The backend sends an invalid frame when the source goes; the last picture stays until clear().
        if (!frame.isValid())
            return;
        frame_ = frame;
        update();
    });
}

void VideoScreen::clear()
{
    frame_ = QVideoFrame();
    update();
}

void VideoScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!frame_.isValid()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    QVideoFrame::PaintOptions options;
    options.backgroundColor = Qt::black;
    options.aspectRatioMode = Qt::KeepAspectRatio;
    QVideoFrame frame = frame_;
    frame.paint(&painter, QRectF(rect()), options);
}

}
