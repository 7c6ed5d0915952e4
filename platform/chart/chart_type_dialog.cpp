#include "platform/chart/chart_type_dialog.h"
#include "platform/chart/chart_picture.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace ks::chart {

namespace {

// A small drawing of the chart in one type, without its title and legend.
QIcon typePreview(ChartModel model, int code)
{
    model.type = code;
    model.title.visible = false;
    model.legend.visible = false;
    for (AxisLabels& axis : model.axes)
        axis.fontSize = 5;
    return QIcon(QPixmap::fromImage(renderChartImage(model, QSize(120, 80))));
}

void addEntry(QListWidget* list, const QString& text, const QIcon& icon, int code)
{
    auto* item = new QListWidgetItem(icon, text, list);
    item->setData(Qt::UserRole, code);
}

}

ChartTypeDialog::ChartTypeDialog(const ChartModel& model, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Chart Type"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose the type of chart:"), this));
    list_ = new QListWidget(this);
    list_->setIconSize(QSize(120, 80));
    list_->setMinimumSize(360, 360);
    if (!isKnownChartType(model.type))
        addEntry(list_, QStringLiteral("Custom (type %1)").arg(model.type), typePreview(model, model.type), model.type);
    for (const ChartTypeInfo& t : chartTypes())
        addEntry(list_, QString::fromLatin1(t.name), typePreview(model, t.code), t.code);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    selectType(model.type);
}

void ChartTypeDialog::selectType(int code)
{
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->data(Qt::UserRole).toInt() == code)
            list_->setCurrentRow(i);
}

int ChartTypeDialog::chosenType() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : kBar;
}

int editChartType(const ChartModel& model, QWidget* parent)
{
    ChartTypeDialog dialog(model, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenType() : model.type;
}

}
