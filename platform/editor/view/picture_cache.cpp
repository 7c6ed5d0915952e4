#include "platform/editor/view/picture_cache.h"
#include "platform/editor/model/picture_files.h"
#include "platform/editor/view/wmf_player.h"

#include <algorithm>

namespace ks::editor::view {
namespace {

// Decoding is capped: a picture whose pixels would take more than this is not drawn.
constexpr qint64 kMaxPixels = 64LL << 20;

QImage fromDib(const std::string& dib)
{
    int w = 0, h = 0;
    std::string rgb;
    if (!dibToRgb(dib, w, h, rgb) || qint64(w) * h > kMaxPixels)
        return {};
    QImage image(reinterpret_cast<const uchar*>(rgb.data()), w, h, w * 3, QImage::Format_RGB888);
    return image.copy();   // the bytes belong to rgb
}

}

QImage decodePicture(const ObjectData& o)
{
    int w = 0, h = 0;
    if (!probePicture(o.format, o.data, w, h) || qint64(w) * h > kMaxPixels)
        return {};
    switch (o.format) {
    case ObjectData::Format::Png:
    case ObjectData::Format::Bmp:
        return QImage::fromData(reinterpret_cast<const uchar*>(o.data.data()), static_cast<int>(o.data.size()));
    case ObjectData::Format::Dib:
        return fromDib(o.data);
    case ObjectData::Format::Wmf: {
        // Played at the size the document shows it (the object's rectangle), capped like the others.
        int ow = std::clamp(o.rect.right - o.rect.left, 1, 4096), oh = std::clamp(o.rect.bottom - o.rect.top, 1, 4096);
        return playWmf(o.data, ow, oh);
    }
    default:
        return {};
    }
}

const QImage* PictureCache::get(int id, const ObjectData& o)
{
    Entry& e = images_[id];
    if (e.data != o.data.data() || e.size != o.data.size()) {
        e.data = o.data.data();
        e.size = o.data.size();
        e.image = decodePicture(o);
    }
    return e.image.isNull() ? nullptr : &e.image;
}

}
