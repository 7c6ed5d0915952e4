#pragma once
// A list bar: a column of group headers, one of them open onto a list of its
// items, each with an icon, a text, a key and a tag. Keys are compared exactly
// (file paths that differ only in case are different items). Positions count
// from 1. The bar raises BarClick when a group becomes the open group and
// ItemClick when an item of the open group is clicked.
#include <QFrame>
#include <QSet>
#include <QString>

#include <memory>
#include <vector>

class QAbstractButton;
class QListView;
class QVBoxLayout;

namespace ks::controls {

class ImageList;
class ListBar;
class ListBarGroup;
class ListBarModel;

class ListBarItem {
public:
    const QString& Key() const { return key_; }
    const QString& Text() const { return text_; }
    void setText(const QString& text);
    const QString& Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    // A number of the bar's image list; 0 shows no icon.
    int Icon() const { return icon_; }
    void setIcon(int icon);

private:
    friend class ListBar;
    friend class ListBarItems;
    ListBarItem(ListBarGroup& group, QString key, QString text);
    ListBarGroup& group_;
    QString key_, text_, tag_;
    int icon_ = 0;
};

class ListBarItems {
public:
    int Count() const { return int(items_.size()); }
    // Raises kIndexOutOfBounds outside 1..Count().
    ListBarItem& Item(int position);
    // nullptr when no item has the key.
    ListBarItem* Find(const QString& key);
    // Raises kKeyNotUnique for a key that is there.
    ListBarItem& Add(const QString& key, const QString& text);
    // False, and nothing changes, when no item has the key.
    bool Remove(const QString& key);

private:
    friend class ListBar;
    friend class ListBarGroup;
    friend class ListBarItem;
    explicit ListBarItems(ListBarGroup& group) : group_(group) {}
    int positionOf(const QString& key) const;

    ListBarGroup& group_;
    std::vector<std::unique_ptr<ListBarItem>> items_;
    QSet<QString> keys_;   // a large group's fill checks each key without scanning the others
};

class ListBarGroup {
public:
    const QString& Key() const { return key_; }
    const QString& Caption() const { return caption_; }
    ListBarItems& ListItems() { return items_; }
    // A colour as 0xBBGGRR; the header is painted in it.
    quint32 Colour() const { return colour_; }
    void setColour(quint32 colour);
    int StyleValue() const { return style_; }
    void setStyleValue(int style) { style_ = style; }

private:
    friend class ListBar;
    friend class ListBarItems;
    friend class ListBarItem;
    ListBarGroup(ListBar& bar, QString key, QString caption);
    ListBar& bar_;
    QString key_, caption_;
    ListBarItems items_;
    quint32 colour_ = 0xE0E0E0;
    int style_ = 0;
    QAbstractButton* header_ = nullptr;
};

class ListBar : public QFrame {
    Q_OBJECT
public:
    explicit ListBar(QWidget* parent = nullptr);
    ~ListBar() override;

    int GroupCount() const { return int(groups_.size()); }
    // Raises kIndexOutOfBounds outside 1..GroupCount().
    ListBarGroup& Group(int position);
    ListBarGroup* FindGroup(const QString& key);
    // Raises kKeyNotUnique for a key that is there.
    ListBarGroup& AddGroup(const QString& key, const QString& caption);
    // No group is open afterwards.
    void ClearGroups();

    // The open group; nullptr while none is.
    ListBarGroup* CurrentGroup() const { return current_; }
    // Opens the group; a change of the open group raises BarClick.
    void setCurrentGroup(ListBarGroup& group);

    // Between these, changes to the open group's items are shown once, at the end:
    // filling a large group does not lay its list out again for every item.
    void beginBatch();
    void endBatch();

    // The icons of the items; shared, not owned.
    ImageList* Images() const { return images_; }
    void setImages(ImageList* images);

    // The widgets a user clicks: a group's header and the open group's list.
    QAbstractButton* header(int position) const;
    QListView* itemView() const { return view_; }

signals:
    void BarClick(ListBarGroup& group);
    void ItemClick(ListBarItem& item, ListBarGroup& group);

private:
    friend class ListBarItems;
    friend class ListBarItem;
    friend class ListBarGroup;
    void itemsInserted(ListBarGroup& group, int row);
    void itemsRemoved(ListBarGroup& group, int row);
    void itemChanged(ListBarItem& item);
    void placeView();
    void clickRow(int row);

    std::vector<std::unique_ptr<ListBarGroup>> groups_;
    ListBarGroup* current_ = nullptr;
    ImageList* images_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    QListView* view_ = nullptr;
    ListBarModel* model_ = nullptr;
    int batch_ = 0;
};

}
