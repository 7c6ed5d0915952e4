#pragma once
// A picture embedded in the presentation: the JPEG file's bytes as read when it was
// added, and its size in pixels.
#include <memory>
#include <string>

namespace ks::slides {

struct Picture {
    std::shared_ptr<const std::string> bytes;
    int pixelWidth = 0;
    int pixelHeight = 0;
    std::string fileName;  // the file's name without its folder, kept as the picture's description
};

// Reads a JPEG file whole (at most 64 MiB). Raises kErrFileNotFound, kErrFileAccess or
// kErrBadFileFormat.
Picture loadJpegPicture(const std::string& path);

// The pixel size from a JPEG stream's frame header; false when the bytes are no JPEG.
bool readJpegSize(const std::string& bytes, int& width, int& height);

}
