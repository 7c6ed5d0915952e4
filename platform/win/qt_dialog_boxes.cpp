#include "platform/win/qt_dialog_boxes.h"

#include "platform/win/dialog_box.h"
#include "platform/win/qt_control_text.h"
#include "platform/win/scripted_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <vector>

namespace ks::win {
namespace {

struct Item {
    HWND control;
    ControlKind kind;
    QWidget* widget;
};

class QtDialogBox : public QDialog {
public:
    QtDialogBox(HWND dialog, QWidget* parent) : QDialog(parent), dialog_(dialog), user_(dialog)
    {
        auto window = findWindowAs<DialogWindow>(dialog);
        const DialogTemplate& t = window->dialogTemplate();
        // Dialog units as Windows measures them: the mean width of the 52 letters.
        QFontMetrics metrics(font());
        unitX_ = (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 26) / 52;
        unitY_ = metrics.height();
        resize(px(t.width, unitX_, 4), px(t.height, unitY_, 8));
        std::vector<HWND> children = childWindows(dialog);
        for (std::size_t i = 0; i < children.size() && i < t.controls.size(); ++i)
            items_.push_back({children[i], t.controls[i].kind, makeWidget(t.controls[i])});
        for (const Item& item : items_)
            if (item.kind == ControlKind::GroupBox)
                item.widget->lower();
    }

    HWND dialog() const { return dialog_; }

    // The widgets as the controls are now: texts, checks, entries, enabled, focus.
    void refresh()
    {
        refreshing_ = true;
        setWindowTitle(qtText(findWindow(dialog_)->text()));
        for (const Item& item : items_)
            refreshItem(item);
        refreshing_ = false;
    }

    // Esc and the close box are the dialog's Cancel, which its procedure decides on.
    void reject() override { act([this] { SendMessage(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }); }

private:
    static int px(int units, int base, int per) { return units * base / per; }

    QWidget* makeWidget(const DialogControl& c)
    {
        QWidget* w = nullptr;
        QString caption = qtText(c.caption);
        switch (c.kind) {
        case ControlKind::Label: w = new QLabel(caption, this); break;
        case ControlKind::GroupBox: w = new QGroupBox(caption, this); break;
        case ControlKind::Edit:
        case ControlKind::NumberEdit: w = makeEdit(c); break;
        case ControlKind::ListBox: w = makeList(c); break;
        case ControlKind::CheckBox: w = makeButton(new QCheckBox(caption, this), c.id); break;
        case ControlKind::RadioButton: w = makeButton(new QRadioButton(caption, this), c.id); break;
        case ControlKind::PushButton:
        case ControlKind::DefaultButton: w = makeButton(new QPushButton(caption, this), c.id); break;
        }
        if (auto* push = qobject_cast<QPushButton*>(w)) {
            push->setAutoDefault(false);
            push->setDefault(c.kind == ControlKind::DefaultButton);
        }
        if (auto* radio = qobject_cast<QRadioButton*>(w))
            radio->setAutoExclusive(false);   // the dialog's own buttons keep their groups
        w->setGeometry(px(c.x, unitX_, 4), px(c.y, unitY_, 8), px(c.width, unitX_, 4), px(c.height, unitY_, 8));
        return w;
    }

    QWidget* makeEdit(const DialogControl& c)
    {
        auto* edit = new QLineEdit(this);
        if (c.kind == ControlKind::NumberEdit)
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        int id = c.id;
        connect(edit, &QLineEdit::textEdited, this,
                [this, id](const QString& text) { act([&] { user_.type(id, libraryText(text)); }); });
        return edit;
    }

    QWidget* makeList(const DialogControl& c)
    {
        auto* list = new QListWidget(this);
        int id = c.id;
        connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
            if (!refreshing_ && row >= 0)
                act([&] { user_.select(id, row); });
        });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, id, list](QListWidgetItem* item) { act([&] { user_.doubleClick(id, list->row(item)); }); });
        return list;
    }

    QAbstractButton* makeButton(QAbstractButton* button, int id)
    {
        connect(button, &QAbstractButton::clicked, this, [this, id] { act([&] { user_.click(id); }); });
        return button;
    }

    // A user's action on the controls, then the widgets as the procedure left them.
    template <class Action>
    void act(Action&& action)
    {
        if (refreshing_)
            return;
        action();
        auto window = findWindowAs<DialogWindow>(dialog_);
        if (!window || window->ended())
            done(0);
        else
            refresh();
    }

    void refreshItem(const Item& item)
    {
        auto window = findWindow(item.control);
        if (!window)
            return;
        item.widget->setEnabled(window->enabled());
        QString text = qtText(window->text());
        if (auto* edit = qobject_cast<QLineEdit*>(item.widget); edit && edit->text() != text)
            edit->setText(text);
        if (auto* button = qobject_cast<QAbstractButton*>(item.widget)) {
            button->setText(text);
            button->setChecked(SendMessage(item.control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        if (auto* label = qobject_cast<QLabel*>(item.widget))
            label->setText(text);
        if (auto* list = qobject_cast<QListWidget*>(item.widget))
            refreshList(item.control, list);
        if (GetFocus() == item.control && !item.widget->hasFocus())
            item.widget->setFocus();
    }

    static void refreshList(HWND control, QListWidget* list)
    {
        QStringList entries = controlEntries(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        if (shown != entries) {
            list->clear();
            list->addItems(entries);
        }
        list->setCurrentRow(int(SendMessage(control, LB_GETCURSEL, 0, 0)));
    }

    HWND dialog_;
    DialogUser user_;
    std::vector<Item> items_;
    int unitX_ = 6, unitY_ = 13;
    bool refreshing_ = false;
};

class QtDialogRunner : public DialogRunner {
public:
    void run(HWND dialog) override
    {
        QtDialogBox box(dialog, QApplication::activeWindow());
        open_.push_back(&box);
        box.refresh();
        box.exec();
        open_.pop_back();
    }
    void ended(HWND dialog) override
    {
        for (QtDialogBox* box : open_)
            if (box->dialog() == dialog)
                box->done(0);
    }

private:
    std::vector<QtDialogBox*> open_;
};

}

void useQtDialogBoxes()
{
    static QtDialogRunner runner;
    setDialogRunner(&runner);
}

}
