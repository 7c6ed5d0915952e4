#pragma once
// Decoded pictures of a document's objects, made on first paint and kept
// while the object's bytes stay the same.
#include "platform/editor/model/font_table.h"

#include <QImage>

#include <unordered_map>

namespace ks::editor::view {

class PictureCache {
public:
    // The picture of an object, or null when its bytes cannot be decoded.
    const QImage* get(int id, const ObjectData& object);
    void clear() { images_.clear(); }

private:
    struct Entry {
        const void* data = nullptr;
        std::size_t size = 0;
        QImage image;
    };
    std::unordered_map<int, Entry> images_;
};

// Decodes picture bytes (PNG, BMP file, packed DIB, metafile); a null image when it cannot.
QImage decodePicture(const ObjectData& object);

}
