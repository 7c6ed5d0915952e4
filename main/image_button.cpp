#include "main/image_button.h"

#include "platform/runtime/runtime_error.h"

#include <QMouseEvent>
#include <QPixmap>

namespace ks {

void ImageButton::setPictureFile(const QString& path)
{
    QPixmap picture;
    if (!picture.load(path))
        throw RuntimeError(53, "File not found: " + path.toStdString());
    setPixmap(picture);
    setFixedSize(picture.size());
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit MouseDown();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit MouseUp();
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

}
