#include "platform/editor/view/picture_cache.h"
#include "platform/editor/model/picture_budget.h"
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

const QImage* PictureCache::get(const ObjectData& o)
{
    const auto& bytes = o.data.shared();
    if (!bytes || bytes->empty())
        return nullptr;
    const bool sized = o.format == ObjectData::Format::Wmf;
    const Key key{bytes.get(), sized ? o.rect.right - o.rect.left : 0, sized ? o.rect.bottom - o.rect.top : 0};
    auto found = images_.find(key);
    // An entry whose bytes are gone may have left its address to new bytes.
    if (found != images_.end() && found->second.bytes.lock() != bytes) {
        pixels_ -= qint64(found->second.image.width()) * found->second.image.height();
        images_.erase(found);
        found = images_.end();
    }
    if (found == images_.end()) {
        dropUnused();
        int w = 0, h = 0;
        if (!probePicture(o.format, o.data, w, h))
            return nullptr;
        const qint64 need = sized ? qint64(std::get<1>(key)) * std::get<2>(key) : qint64(w) * h;
        if (pixels_ + need > kMaxDocumentPixels)
            return nullptr;
        Entry entry{bytes, decodePicture(o)};
        pixels_ += qint64(entry.image.width()) * entry.image.height();
        found = images_.emplace(key, std::move(entry)).first;
    }
    return found->second.image.isNull() ? nullptr : &found->second.image;
}

void PictureCache::dropUnused()
{
    for (auto it = images_.begin(); it != images_.end();) {
        if (it->second.bytes.expired()) {
            pixels_ -= qint64(it->second.image.width()) * it->second.image.height();
            it = images_.erase(it);
        } else {
            ++it;
        }
    }
}

}
