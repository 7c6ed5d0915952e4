#include "platform/controls/keyed_toolbar.h"

#include "platform/controls/control_errors.h"
#include "platform/controls/keyed_menu.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace ks::controls {

KeyedToolBar::KeyedToolBar(QWidget* parent) : QToolBar(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setMovable(false);
}

void KeyedToolBar::Add(const ToolButtonEntry& entry)
{
    if (find(entry.key))
        throw controlError(kKeyNotUnique, QStringLiteral("Key is not unique in collection: ") + entry.key);
    Entry added{entry.key};
    if (entry.kind == ButtonKind::Separator) {
        added.action = addSeparator();
    } else {
        added.action = addAction(entry.picture, entry.caption);
        added.action->setToolTip(entry.toolTip.isEmpty() ? entry.caption : entry.toolTip);
        added.action->setCheckable(entry.kind == ButtonKind::Check);
        const QString key = entry.key;
        connect(added.action, &QAction::triggered, this, [this, key] { emit ButtonClick(key); });
    }
    if (entry.kind == ButtonKind::DropDown) {
        auto* menu = new QMenu(this);
        added.menu = new KeyedMenu(menu);
        added.action->setMenu(menu);
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(added.action)))
            button->setPopupMode(QToolButton::MenuButtonPopup);
        KeyedMenu* items = added.menu;
        const QString key = entry.key;
        connect(items, &KeyedMenu::Click, this,
                [this, items, key](int number) { emit ButtonMenuClick(key, items->Key(number)); });
    }
    added.action->setVisible(entry.visible);
    buttons_.push_back(added);
}

void KeyedToolBar::Build(const std::vector<ToolButtonEntry>& entries)
{
    for (const ToolButtonEntry& entry : entries)
        Add(entry);
}

const KeyedToolBar::Entry* KeyedToolBar::find(const QString& key) const
{
    for (const Entry& e : buttons_)
        if (!key.isEmpty() && e.key == key)
            return &e;
    return nullptr;
}

QAction* KeyedToolBar::Button(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->action : nullptr;
}

bool KeyedToolBar::Checked(const QString& key) const
{
    const Entry* e = find(key);
    return e && e->action->isChecked();
}

void KeyedToolBar::setChecked(const QString& key, bool checked)
{
    if (const Entry* e = find(key))
        e->action->setChecked(checked);
}

void KeyedToolBar::setVisible(const QString& key, bool visible)
{
    if (const Entry* e = find(key))
        e->action->setVisible(visible);
}

void KeyedToolBar::setEnabled(const QString& key, bool enabled)
{
    if (const Entry* e = find(key))
        e->action->setEnabled(enabled);
}

KeyedMenu* KeyedToolBar::ButtonMenu(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->menu : nullptr;
}

}
