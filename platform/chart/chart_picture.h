#pragma once
// The chart as pictures: an image of any size, a picture file, and the metafile
// stand-in that a sheet's picture object takes.
#include "platform/chart/chart_model.h"

#include <QImage>
#include <QSize>
#include <string>

namespace ks::chart {

// Picture file formats the chart writes; the option value is the JPEG quality (0 to 100).
enum PictureFormat : int { kPictureBmp = 2, kPictureJpeg = 6, kPicturePng = 7 };

// The chart rendered for a sheet's picture object: the picture's file bytes (PNG,
// which the sheet draws and exports as it is) and the chart's size in pixels.
struct ChartMetafile {
    std::string bytes;
    int width = 0;
    int height = 0;
};

QImage renderChartImage(const ChartModel& model, QSize size);
// Writes the whole file under a temporary name beside it and renames it over any old one;
// a failure raises kErrFileWrite (kErrBadArgument for a format it does not write) and
// leaves the old file as it was.
void writeChartPicture(const ChartModel& model, QSize size, const std::string& path, int format, int option);
ChartMetafile renderChartMetafile(const ChartModel& model, QSize size);

}
