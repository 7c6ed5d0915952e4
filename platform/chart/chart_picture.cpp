#include "platform/chart/chart_picture.h"
#include "platform/chart/chart_errors.h"
#include "platform/chart/chart_painter.h"
#include "platform/files/files.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

namespace ks::chart {

namespace {

// Qt's PNG quality 100 - 9 x level: 91 for zlib level 1.
constexpr int kFastPng = 91;

// A chart too small to draw (a hidden control not yet laid out) is drawn at a usable size.
QSize drawableSize(QSize size)
{
    return size.width() < 50 || size.height() < 50 ? QSize(480, 320) : size;
}

const char* formatName(int format)
{
    switch (format) {
    case kPictureBmp: return "BMP";
    case kPictureJpeg: return "JPEG";
    case kPicturePng: return "PNG";
    }
    raiseError(kErrBadArgument, "The chart cannot write picture format " + std::to_string(format));
}

[[noreturn]] void writeFailed(const std::string& path, const std::string& reason)
{
    raiseError(kErrFileWrite, "Cannot write the chart picture \"" + path + "\": " + reason);
}

// A file that holds these very bytes already is left alone: writing it again would cost
// a flush to disk and change nothing (the report writes each left-hand chart twice).
bool alreadyHolds(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

}

QImage renderChartImage(const ChartModel& model, QSize size)
{
    QImage image(drawableSize(size), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintChart(p, QRectF(QPointF(0, 0), image.size()), model);
    return image;
}

void writeChartPicture(const ChartModel& model, QSize size, const std::string& path, int format, int option)
{
    const char* name = formatName(format);
    if (format == kPictureJpeg && (option < 0 || option > 100))
        raiseError(kErrBadArgument, "The JPEG quality must be from 0 to 100, not " + std::to_string(option));
    const QImage image = renderChartImage(model, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, name, format == kPictureJpeg ? option : -1))
        writeFailed(path, "the picture could not be encoded");
    if (alreadyHolds(path, bytes))
        return;
    const files::Outcome saved = files::saveFile(path, {bytes.constData(), std::size_t(bytes.size())});
    if (!saved)
        writeFailed(path, saved.reason);
}

ChartMetafile renderChartMetafile(const ChartModel& model, QSize size)
{
    const QImage image = renderChartImage(model, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The fastest compression: a chart's flat colours pack well at any level.
    image.save(&buffer, "PNG", kFastPng);
    return {bytes.toStdString(), image.width(), image.height()};
}

}
