#pragma once
// Pictures under text keys, numbered from 1, shared by the controls that show them.
#include <QHash>
#include <QIcon>
#include <QString>
#include <vector>

namespace ks::controls {

class ImageList {
public:
    // The picture's number. A key that is there already gets the new picture
    // and keeps its number, so building the same entries twice is harmless.
    int Add(const QString& key, const QIcon& picture);
    // 0 when no picture has the key.
    int IndexOf(const QString& key) const;
    bool Exists(const QString& key) const { return IndexOf(key) != 0; }
    // A null picture outside 1..Count().
    QIcon Picture(int index) const;
    int Count() const { return int(pictures_.size()); }
    void Clear();

private:
    std::vector<QIcon> pictures_;
    QHash<QString, int> numbers_;
};

}
