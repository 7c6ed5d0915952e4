#pragma once
// Decoded pictures of a document's objects, made on first paint. Objects that share
// their bytes share one decoded picture; a picture is kept while its bytes live. All
// kept pictures together stay within the document's pixel budget: one past it is not
// drawn.
#include "platform/editor/model/font_table.h"

#include <QImage>

#include <map>
#include <memory>
#include <tuple>

namespace ks::editor::view {

class PictureCache {
public:
    // The picture of an object, or null when its bytes cannot be decoded or the budget
    // has no room for it.
    const QImage* get(const ObjectData& object);
    void clear()
    {
        images_.clear();
        pixels_ = 0;
    }

private:
    // The bytes, and for a metafile (played at the size shown) that size.
    using Key = std::tuple<const std::string*, int, int>;
    struct Entry {
        std::weak_ptr<const std::string> bytes;
        QImage image;
    };
    void dropUnused();

    std::map<Key, Entry> images_;
    qint64 pixels_ = 0;
};

// Decodes picture bytes (PNG, BMP file, packed DIB, metafile); a null image when it cannot.
QImage decodePicture(const ObjectData& object);

}
