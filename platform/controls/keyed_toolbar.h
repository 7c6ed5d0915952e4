#pragma once
// A toolbar whose buttons are addressed by text keys, built from a table.
// A drop-down button carries a keyed menu of its own. Reading or setting a
// button by a key that no button has does nothing.
#include <QIcon>
#include <QString>
#include <QToolBar>

#include <vector>

namespace ks::controls {

class KeyedMenu;

enum class ButtonKind { Button, Check, Separator, DropDown };

struct ToolButtonEntry {
    QString key;
    QString caption;      // the text shown with the picture; "" for none
    QString toolTip;
    QIcon picture;
    ButtonKind kind = ButtonKind::Button;
    bool visible = true;
};

class KeyedToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit KeyedToolBar(QWidget* parent = nullptr);

    // Raises kKeyNotUnique for a key that is there.
    void Add(const ToolButtonEntry& entry);
    void Build(const std::vector<ToolButtonEntry>& entries);

    int Count() const { return int(buttons_.size()); }
    // nullptr when no button has the key.
    QAction* Button(const QString& key) const;
    bool Checked(const QString& key) const;
    void setChecked(const QString& key, bool checked);
    void setVisible(const QString& key, bool visible);
    void setEnabled(const QString& key, bool enabled);
    // The menu of a drop-down button; nullptr for any other key.
    KeyedMenu* ButtonMenu(const QString& key) const;

    using QToolBar::setVisible;

signals:
    // Raised with the key of the button clicked.
    void ButtonClick(const QString& key);
    // Raised with the drop-down button's key and the key of the item chosen from its menu.
    void ButtonMenuClick(const QString& buttonKey, const QString& itemKey);

private:
    struct Entry {
        QString key;
        QAction* action = nullptr;
        KeyedMenu* menu = nullptr;
    };
    const Entry* find(const QString& key) const;
    std::vector<Entry> buttons_;
};

}
