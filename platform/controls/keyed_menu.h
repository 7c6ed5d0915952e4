#pragma once
// A menu whose items are addressed by text keys and by numbers (from 1, in
// the order they were added), built from a table into a menu bar or a pop-up
// menu. An item of an indexed group carries its index in its key
// ("mnuFileMRU(0)"). Reading or setting an item by a key that no item has
// does nothing (and reads as 0, "" or false). A shortcut works only while its
// item and every menu above it are visible.
#include <QKeySequence>
#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QPoint;
class QMenu;
class QWidget;

namespace ks::controls {

struct MenuEntry {
    QString key;          // the item's name
    QString parentKey;    // the menu it is in; "" for the top level
    QString caption;      // "&" marks the access key; "-" is a separator
    QKeySequence shortcut = {};
    bool visible = true;
    bool checkable = false;
};

class KeyedMenu : public QObject {
    Q_OBJECT
public:
    // root: a QMenuBar or a QMenu; the items are added to it.
    explicit KeyedMenu(QWidget* root);

    // Raises kKeyNotUnique for a key that is there and kElementNotFound for a
    // parent that is not.
    void Add(const MenuEntry& entry);
    void Build(const std::vector<MenuEntry>& entries);
    void Clear();

    int Count() const { return int(items_.size()); }
    // The item's number; 0 when no item has the key.
    int Find(const QString& key) const;
    QString Key(int number) const;
    QString Caption(int number) const;
    bool Checked(const QString& key) const;
    void setChecked(const QString& key, bool checked);
    bool Visible(const QString& key) const;
    void setVisible(const QString& key, bool visible);
    bool Enabled(const QString& key) const;
    void setEnabled(const QString& key, bool enabled);
    // nullptr when no item has the key.
    QAction* action(const QString& key) const;
    // The submenu of an item that has items of its own.
    QMenu* submenu(const QString& key) const;
    // Shows a pop-up menu (a menu built into a QMenu) at a screen point; false for a menu bar.
    bool Popup(const QPoint& at);

signals:
    // The number of the item chosen.
    void Click(int number);
    // A submenu is opening: the number of the item that holds it.
    void InitPopupMenu(int number);

private:
    struct Item {
        MenuEntry entry;
        QAction* action = nullptr;
        QMenu* menu = nullptr;   // created when the first item is put into it
    };
    const Item* item(const QString& key) const;
    Item* item(const QString& key);
    QMenu* menuFor(int parentNumber);

    QWidget* root_;
    std::vector<Item> items_;
};

}
