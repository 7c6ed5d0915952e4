#include "platform/shell/open_with_dialog.h"

#include "platform/ui/ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ks::shell {
namespace {

constexpr int kExecRole = Qt::UserRole, kTerminalRole = Qt::UserRole + 1;

void addApplication(QListWidget* list, const DesktopEntry& app)
{
    auto* item = new QListWidgetItem(app.name, list);
    item->setData(kExecRole, app.exec);
    item->setData(kTerminalRole, app.terminal);
}

// The programs for the file's type, in the desktop's order of preference; with every, the
// other programs follow under a line that cannot be chosen.
void fill(QListWidget* list, const DesktopEntries& db, const std::vector<const DesktopEntry*>& forType, bool every)
{
    list->clear();
    for (const DesktopEntry* app : forType)
        addApplication(list, *app);
    if (!every)
        return;
    if (!forType.empty()) {
        auto* line = new QListWidgetItem(QStringLiteral("Other programs"), list);
        line->setFlags(Qt::NoItemFlags);
        QFont bold = line->font();
        bold.setBold(true);
        line->setFont(bold);
    }
    for (const DesktopEntry& app : db.applications())
        if (std::none_of(forType.begin(), forType.end(), [&](const DesktopEntry* e) { return e->id == app.id; }))
            addApplication(list, app);
}

}

OpenWithDialog::Choice OpenWithDialog::choose(const DesktopEntries& db, const QString& path, QWidget* owner)
{
    Choice choice;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return choice;
    choice.started = true;

    QDialog dialog(owner ? owner : QApplication::activeWindow());
    dialog.setWindowTitle("Open With");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Choose the program you want to use to open this file:\n"
                                 + QFileInfo(path).fileName()));
    auto* list = new QListWidget;
    const std::vector<const DesktopEntry*> forType = db.handlersOf(QMimeDatabase().mimeTypeForFile(path).name());
    auto* showAll = new QCheckBox("Show all programs");
    // With no program for the type, every program is offered at once.
    showAll->setChecked(forType.empty());
    showAll->setEnabled(!forType.empty());
    fill(list, db, forType, showAll->isChecked());
    if (list->count() > 0)
        list->setCurrentRow(0);
    QObject::connect(showAll, &QCheckBox::toggled, list, [&, list](bool every) { fill(list, db, forType, every); });
    layout->addWidget(list);
    layout->addWidget(showAll);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* browse = buttons->addButton("Other program...", QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);

    QString picked;
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        ui::FileDialogRequest request;
        request.filter = "Programs|*";
        request.flags = ui::FileMustExist;
        request.owner = &dialog;
        picked = ui::backend().fileDialog(request).path;
        if (!picked.isEmpty())
            dialog.accept();
    });

    if (dialog.exec() != QDialog::Accepted)
        return choice;
    choice.chosen = true;
    if (!picked.isEmpty()) {
        choice.command = {picked, path};
    } else if (const QListWidgetItem* item = list->currentItem(); item && (item->flags() & Qt::ItemIsSelectable)) {
        choice.command = DesktopEntries::commandFor(item->data(kExecRole).toString(), path);
        choice.terminal = item->data(kTerminalRole).toBool();
    }
    return choice;
}

}
