#include "platform/controls/image_list.h"

namespace ks::controls {

int ImageList::Add(const QString& key, const QIcon& picture)
{
    if (const int known = IndexOf(key)) {
        pictures_[size_t(known - 1)] = picture;
        return known;
    }
    pictures_.push_back(picture);
    const int number = Count();
    if (!key.isEmpty())
        numbers_.insert(key, number);
    return number;
}

int ImageList::IndexOf(const QString& key) const { return numbers_.value(key, 0); }

QIcon ImageList::Picture(int index) const
{
    return index >= 1 && index <= Count() ? pictures_[size_t(index - 1)] : QIcon();
}

void ImageList::Clear()
{
    pictures_.clear();
    numbers_.clear();
}

}
