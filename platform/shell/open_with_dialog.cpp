#include "platform/shell/open_with_dialog.h"

#include "platform/ui/ui.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ks::shell {

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
    for (const auto& app : db.applications()) {
        auto* item = new QListWidgetItem(app.name, list);
        item->setData(Qt::UserRole, app.exec);
    }
    layout->addWidget(list);
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
    if (!picked.isEmpty())
        choice.command = {picked, path};
    else if (list->currentItem())
        choice.command = DesktopEntries::commandFor(list->currentItem()->data(Qt::UserRole).toString(), path);
    return choice;
}

}
