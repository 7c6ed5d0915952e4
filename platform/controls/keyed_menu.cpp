#include "platform/controls/keyed_menu.h"

#include "platform/controls/control_errors.h"

#include <QAction>
#include <QMenu>

namespace ks::controls {

KeyedMenu::KeyedMenu(QWidget* root) : QObject(root), root_(root) {}

void KeyedMenu::Add(const MenuEntry& entry)
{
    if (Find(entry.key))
        throw controlError(kKeyNotUnique, QStringLiteral("Key is not unique in collection: ") + entry.key);
    const int parent = entry.parentKey.isEmpty() ? 0 : Find(entry.parentKey);
    if (!entry.parentKey.isEmpty() && !parent)
        throw controlError(kElementNotFound, QStringLiteral("Element not found: ") + entry.parentKey);

    auto* action = new QAction(entry.caption, root_);
    action->setSeparator(entry.caption == QLatin1String("-"));
    action->setCheckable(entry.checkable);
    action->setVisible(entry.visible);
    const int number = Count() + 1;
    // The handler decides about the check mark: the one the click toggled is put back first.
    connect(action, &QAction::triggered, this, [this, number] {
        Item& it = items_[size_t(number - 1)];
        it.action->setChecked(it.entry.checkable && it.action->property("ks_checked").toBool());
        emit Click(number);
    });
    if (parent)
        menuFor(parent)->addAction(action);
    else
        root_->addAction(action);
    action->setShortcut(entry.shortcut);   // Qt gives keys only to items of visible menus
    items_.push_back({entry, action, nullptr});
}

void KeyedMenu::Build(const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& entry : entries)
        Add(entry);
}

void KeyedMenu::Clear()
{
    for (Item& it : items_) {
        delete it.action;
        delete it.menu;
    }
    items_.clear();
}

QMenu* KeyedMenu::menuFor(int parentNumber)
{
    Item& parent = items_[size_t(parentNumber - 1)];
    if (!parent.menu) {
        parent.menu = new QMenu(parent.entry.caption, root_);
        parent.action->setMenu(parent.menu);
        connect(parent.menu, &QMenu::aboutToShow, this, [this, parentNumber] { emit InitPopupMenu(parentNumber); });
    }
    return parent.menu;
}

int KeyedMenu::Find(const QString& key) const
{
    if (key.isEmpty())
        return 0;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].entry.key == key)
            return int(i) + 1;
    return 0;
}

QString KeyedMenu::Key(int number) const
{
    return number >= 1 && number <= Count() ? items_[size_t(number - 1)].entry.key : QString();
}

QString KeyedMenu::Caption(int number) const
{
    return number >= 1 && number <= Count() ? items_[size_t(number - 1)].entry.caption : QString();
}

const KeyedMenu::Item* KeyedMenu::item(const QString& key) const
{
    const int number = Find(key);
    return number ? &items_[size_t(number - 1)] : nullptr;
}

KeyedMenu::Item* KeyedMenu::item(const QString& key)
{
    const int number = Find(key);
    return number ? &items_[size_t(number - 1)] : nullptr;
}

bool KeyedMenu::Checked(const QString& key) const
{
    const Item* it = item(key);
    return it && it->action->property("ks_checked").toBool();
}

void KeyedMenu::setChecked(const QString& key, bool checked)
{
    if (Item* it = item(key)) {
        it->action->setProperty("ks_checked", checked);
        it->action->setCheckable(it->entry.checkable || checked);
        it->action->setChecked(checked);
    }
}

bool KeyedMenu::Visible(const QString& key) const
{
    const Item* it = item(key);
    return it && it->action->isVisible();
}

void KeyedMenu::setVisible(const QString& key, bool visible)
{
    if (Item* it = item(key))
        it->action->setVisible(visible);
}

bool KeyedMenu::Enabled(const QString& key) const
{
    const Item* it = item(key);
    return it && it->action->isEnabled();
}

void KeyedMenu::setEnabled(const QString& key, bool enabled)
{
    if (Item* it = item(key))
        it->action->setEnabled(enabled);
}

QAction* KeyedMenu::action(const QString& key) const
{
    const Item* it = item(key);
    return it ? it->action : nullptr;
}

QMenu* KeyedMenu::submenu(const QString& key) const
{
    const Item* it = item(key);
    return it ? it->menu : nullptr;
}

bool KeyedMenu::Popup(const QPoint& at)
{
    auto* menu = qobject_cast<QMenu*>(root_);
    if (!menu)
        return false;
    menu->popup(at);
    return true;
}

}
