#include "platform/controls/list_bar.h"

#include "platform/controls/control_errors.h"
#include "platform/controls/image_list.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace ks::controls {

// The open group's items as the list view reads them.
class ListBarModel : public QAbstractListModel {
public:
    explicit ListBarModel(ListBar& bar) : QAbstractListModel(&bar), bar_(bar) {}

    int rowCount(const QModelIndex& parent = {}) const override
    {
        ListBarGroup* group = bar_.CurrentGroup();
        return parent.isValid() || !group ? 0 : group->ListItems().Count();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        ListBarGroup* group = bar_.CurrentGroup();
        if (!group || index.row() < 0 || index.row() >= group->ListItems().Count())
            return {};
        const ListBarItem& item = group->ListItems().Item(index.row() + 1);
        switch (role) {
        case Qt::DisplayRole: return item.Text();
        case Qt::ToolTipRole: return item.Key();
        case Qt::DecorationRole: return bar_.Images() ? bar_.Images()->Picture(item.Icon()) : QIcon();
        default: return {};
        }
    }

    void insertingRow(int row) { beginInsertRows({}, row, row); }
    void rowInserted() { endInsertRows(); }
    void removingRow(int row) { beginRemoveRows({}, row, row); }
    void rowRemoved() { endRemoveRows(); }
    void rowChanged(int row) { emit dataChanged(index(row), index(row)); }
    void resetting() { beginResetModel(); }
    void reset() { endResetModel(); }

private:
    ListBar& bar_;
};

namespace {

QString headerStyle(quint32 bgr)
{
    const QColor colour(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
    return QStringLiteral("QPushButton { background: %1; border: 1px outset #a0a0a0; padding: 4px; font-weight: bold; }")
        .arg(colour.name());
}

// The list reacts to Enter as to a click.
class ItemView : public QListView {
public:
    std::function<void(int row)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid() && onEnter) {
            onEnter(currentIndex().row());
            return;
        }
        QListView::keyPressEvent(event);
    }
};

}

ListBarItem::ListBarItem(ListBarGroup& group, QString key, QString text)
    : group_(group), key_(std::move(key)), text_(std::move(text)) {}

void ListBarItem::setText(const QString& text)
{
    text_ = text;
    group_.bar_.itemChanged(*this);
}

void ListBarItem::setIcon(int icon)
{
    icon_ = icon;
    group_.bar_.itemChanged(*this);
}

int ListBarItems::positionOf(const QString& key) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->key_ == key)
            return int(i) + 1;
    return 0;
}

ListBarItem& ListBarItems::Item(int position)
{
    if (position < 1 || position > Count())
        throw controlError(kIndexOutOfBounds, QStringLiteral("Index out of bounds"));
    return *items_[size_t(position - 1)];
}

ListBarItem* ListBarItems::Find(const QString& key)
{
    const int at = keys_.contains(key) ? positionOf(key) : 0;
    return at ? items_[size_t(at - 1)].get() : nullptr;
}

ListBarItem& ListBarItems::Add(const QString& key, const QString& text)
{
    if (keys_.contains(key))
        throw controlError(kKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    const int row = Count();
    group_.bar_.itemsInserted(group_, row);   // tells the list before...
    items_.push_back(std::unique_ptr<ListBarItem>(new ListBarItem(group_, key, text)));
    keys_.insert(key);
    group_.bar_.itemsInserted(group_, -1);    // ...and after
    return *items_.back();
}

bool ListBarItems::Remove(const QString& key)
{
    const int at = positionOf(key);
    if (!at)
        return false;
    keys_.remove(key);   // before the erase: key may be the removed item's own
    group_.bar_.itemsRemoved(group_, at - 1);
    items_.erase(items_.begin() + (at - 1));
    group_.bar_.itemsRemoved(group_, -1);
    return true;
}

ListBarGroup::ListBarGroup(ListBar& bar, QString key, QString caption)
    : bar_(bar), key_(std::move(key)), caption_(std::move(caption)), items_(*this) {}

void ListBarGroup::setColour(quint32 colour)
{
    colour_ = colour;
    if (header_)
        header_->setStyleSheet(headerStyle(colour));
}

ListBar::ListBar(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(1, 1, 1, 1);
    column_->setSpacing(1);
    auto* view = new ItemView;
    view->onEnter = [this](int row) { clickRow(row); };
    view_ = view;
    model_ = new ListBarModel(*this);
    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setIconSize(QSize(32, 32));
    view_->setSpacing(2);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTextElideMode(Qt::ElideMiddle);
    view_->hide();
    column_->addWidget(view_, 1);
    connect(view_, &QListView::clicked, this, [this](const QModelIndex& index) { clickRow(index.row()); });
}

ListBar::~ListBar() { view_->setModel(nullptr); }

ListBarGroup& ListBar::Group(int position)
{
    if (position < 1 || position > GroupCount())
        throw controlError(kIndexOutOfBounds, QStringLiteral("Index out of bounds"));
    return *groups_[size_t(position - 1)];
}

ListBarGroup* ListBar::FindGroup(const QString& key)
{
    for (auto& group : groups_)
        if (group->key_ == key)
            return group.get();
    return nullptr;
}

ListBarGroup& ListBar::AddGroup(const QString& key, const QString& caption)
{
    if (FindGroup(key))
        throw controlError(kKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    groups_.push_back(std::unique_ptr<ListBarGroup>(new ListBarGroup(*this, key, caption)));
    ListBarGroup& group = *groups_.back();
    auto* header = new QPushButton(caption);
    header->setStyleSheet(headerStyle(group.colour_));
    header->setFocusPolicy(Qt::TabFocus);
    group.header_ = header;
    connect(header, &QPushButton::clicked, this, [this, &group] { setCurrentGroup(group); });
    placeView();
    return group;
}

void ListBar::ClearGroups()
{
    if (!batch_)
        model_->resetting();
    current_ = nullptr;
    for (auto& group : groups_)
        delete group->header_;
    groups_.clear();
    if (!batch_)
        model_->reset();
    placeView();
}

void ListBar::setCurrentGroup(ListBarGroup& group)
{
    if (current_ == &group)
        return;
    if (!batch_)
        model_->resetting();
    current_ = &group;
    if (!batch_)
        model_->reset();
    placeView();
    emit BarClick(group);
}

void ListBar::setImages(ImageList* images)
{
    images_ = images;
    view_->viewport()->update();
}

QAbstractButton* ListBar::header(int position) const
{
    return position >= 1 && position <= GroupCount() ? groups_[size_t(position - 1)]->header_ : nullptr;
}

// The headers of the open group and those above it, the open group's list, then the other headers.
void ListBar::placeView()
{
    while (QLayoutItem* placed = column_->takeAt(0))
        delete placed;   // the place, not the widget
    bool listPlaced = false;
    for (auto& group : groups_) {
        column_->addWidget(group->header_);
        if (group.get() == current_) {
            column_->addWidget(view_, 1);
            listPlaced = true;
        }
    }
    if (!listPlaced) {
        column_->addWidget(view_, 1);
        column_->addStretch(1);
    }
    view_->setVisible(current_ != nullptr);
}

void ListBar::beginBatch()
{
    if (batch_++ == 0)
        model_->resetting();
}

void ListBar::endBatch()
{
    if (batch_ > 0 && --batch_ == 0)
        model_->reset();
}

void ListBar::itemsInserted(ListBarGroup& group, int row)
{
    if (&group != current_ || batch_)
        return;
    if (row >= 0)
        model_->insertingRow(row);
    else
        model_->rowInserted();
}

void ListBar::itemsRemoved(ListBarGroup& group, int row)
{
    if (&group != current_ || batch_)
        return;
    if (row >= 0)
        model_->removingRow(row);
    else
        model_->rowRemoved();
}

void ListBar::itemChanged(ListBarItem& item)
{
    if (&item.group_ != current_ || batch_)
        return;
    // Items are mostly set up right after they are added: the last one first.
    const auto& items = current_->items_.items_;
    const int at = !items.empty() && items.back().get() == &item ? int(items.size())
                                                                 : current_->items_.positionOf(item.key_);
    if (at)
        model_->rowChanged(at - 1);
}

void ListBar::clickRow(int row)
{
    ListBarGroup* group = current_;
    if (!group || row < 0 || row >= group->ListItems().Count())
        return;
    // A listener may remove the item or rebuild the bar: nothing is touched after it.
    emit ItemClick(group->ListItems().Item(row + 1), *group);
}

}
