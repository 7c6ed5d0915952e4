#pragma once
// What the editor needs of picture bytes: recognising BMP, PNG, WMF and packed
// DIB data and their pixel size, and writing pictures out as PNG or WMF files.
// Nothing is drawn here; the view decodes for painting.
#include "platform/editor/model/font_table.h"

#include <string>

namespace ks::editor {

// Checks the bytes are of the given format and reads the size; false for anything else.
bool probePicture(ObjectData::Format format, const std::string& bytes, int& width, int& height);
// A packed DIB (1, 4, 8, 24 or 32 bits, uncompressed) as top-down RGB rows.
bool dibToRgb(const std::string& dib, int& width, int& height, std::string& rgb);
std::string encodePng(int width, int height, const std::string& rgb);
// The picture's bytes as a PNG or WMF file; empty when that cannot be made.
std::string pictureAsPng(const ObjectData& o);
std::string pictureAsWmf(const ObjectData& o);

}
