#include "platform/workbook/view/paste_special_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ks::workbook::view {

PasteSpecialDialog::PasteSpecialDialog(QWidget* parent) : QDialog(parent), group_(new QButtonGroup(this))
{
    setWindowTitle(tr("Paste Special"));
    auto* layout = new QVBoxLayout(this);
    const QStringList labels = {tr("All"), tr("Formulas"), tr("Values"), tr("Formats")};
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QRadioButton(labels[i], this);
        group_->addButton(button, i + 1);
        layout->addWidget(button);
    }
    group_->button(1)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int PasteSpecialDialog::what() const { return group_->checkedId(); }

void PasteSpecialDialog::setWhat(int what)
{
    if (auto* button = group_->button(what))
        button->setChecked(true);
}

}
