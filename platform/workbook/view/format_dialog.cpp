#include "platform/workbook/view/format_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ks::workbook::view {

namespace {
const QStringList kSampleFormats = {"General", "0", "0.00", "#,##0", "#,##0.00", "0%", "0.00%",
                                    "$#,##0;($#,##0)", "$#,##0.00;($#,##0.00)", "mmm-yy", "d-mmm-yy", "@"};
}

FormatCellsDialog::FormatCellsDialog(const CellFormat& initial, int pages, QWidget* parent)
    : QDialog(parent), initial_(initial), pages_(pages)
{
    setWindowTitle(tr("Format Cells"));
    auto* tabs = new QTabWidget(this);
    if (pages & NumberPage)
        tabs->addTab(numberPage(), tr("Number"));
    if (pages & AlignmentPage)
        tabs->addTab(alignmentPage(), tr("Alignment"));
    if (pages & ProtectionPage)
        tabs->addTab(protectionPage(), tr("Protection"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QWidget* FormatCellsDialog::numberPage()
{
    auto* page = new QWidget;
    numberFormat_ = new QLineEdit(QString::fromStdString(initial_.numberFormat), page);
    numberFormat_->setObjectName("numberFormat");
    auto* samples = new QListWidget(page);
    samples->addItems(kSampleFormats);
    connect(samples, &QListWidget::currentTextChanged, numberFormat_, &QLineEdit::setText);
    auto* layout = new QFormLayout(page);
    layout->addRow(tr("Format:"), numberFormat_);
    layout->addRow(samples);
    return page;
}

QWidget* FormatCellsDialog::alignmentPage()
{
    auto* page = new QWidget;
    horizontal_ = new QComboBox(page);
    horizontal_->setObjectName("horizontal");
    horizontal_->addItems({tr("General"), tr("Left"), tr("Center"), tr("Right"), tr("Fill"), tr("Justify")});
    horizontal_->setCurrentIndex(int(initial_.hAlign));
    vertical_ = new QComboBox(page);
    vertical_->setObjectName("vertical");
    vertical_->addItems({tr("Top"), tr("Center"), tr("Bottom")});
    vertical_->setCurrentIndex(int(initial_.vAlign));
    wrap_ = new QCheckBox(tr("Wrap text"), page);
    wrap_->setObjectName("wrap");
    wrap_->setChecked(initial_.wrap);
    auto* layout = new QFormLayout(page);
    layout->addRow(tr("Horizontal:"), horizontal_);
    layout->addRow(tr("Vertical:"), vertical_);
    layout->addRow(wrap_);
    return page;
}

QWidget* FormatCellsDialog::protectionPage()
{
    auto* page = new QWidget;
    locked_ = new QCheckBox(tr("Locked"), page);
    locked_->setObjectName("locked");
    locked_->setChecked(initial_.locked);
    hidden_ = new QCheckBox(tr("Hidden"), page);
    hidden_->setObjectName("hidden");
    hidden_->setChecked(initial_.hidden);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(locked_);
    layout->addWidget(hidden_);
    layout->addStretch();
    return page;
}

CellFormat FormatCellsDialog::chosen() const
{
    CellFormat f = initial_;
    if (numberFormat_)
        f.numberFormat = numberFormat_->text().trimmed().isEmpty() ? "General" : numberFormat_->text().toStdString();
    if (horizontal_) {
        f.hAlign = static_cast<HAlign>(horizontal_->currentIndex());
        f.vAlign = static_cast<VAlign>(vertical_->currentIndex());
        f.wrap = wrap_->isChecked();
    }
    if (locked_) {
        f.locked = locked_->isChecked();
        f.hidden = hidden_->isChecked();
    }
    return f;
}

}
