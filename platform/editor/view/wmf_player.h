#pragma once
// Plays a Windows metafile (placeable or plain) into a picture of the size the
// document shows it at: pens, brushes, fonts, lines, shapes, polygons, text and
// the bitmaps metafiles carry. Records it does not know are passed over.
#include <QImage>

#include <string>

namespace ks::editor::view {

// A null image for bytes that are no metafile.
QImage playWmf(const std::string& bytes, int width, int height);

}
