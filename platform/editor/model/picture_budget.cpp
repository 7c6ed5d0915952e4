#include "platform/editor/model/picture_budget.h"
#include "platform/editor/model/picture_files.h"

#include <unordered_set>

namespace ks::editor {

std::int64_t picturePixels(const ObjectData& o)
{
    int w = 0, h = 0;
    if (o.kind != ObjectData::Kind::Picture || o.data.empty() || !probePicture(o.format, o.data, w, h))
        return 0;
    return std::int64_t(w) * h;
}

bool fitsPictureBudget(const FontTable& fonts, const ObjectData& added, int replacing)
{
    std::int64_t total = picturePixels(added);
    if (total == 0)
        return true;
    std::unordered_set<const std::string*> counted{added.data.shared().get()};
    for (int id = 0; id < fonts.count() && total <= kMaxDocumentPixels; ++id) {
        const FontEntry* f = fonts.get(id);
        if (id == replacing || !f || !f->object || !counted.insert(f->object->data.shared().get()).second)
            continue;
        total += picturePixels(*f->object);
    }
    return total <= kMaxDocumentPixels;
}

}
