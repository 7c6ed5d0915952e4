#pragma once
// The chart's own chart-editing dialog: the user picks a chart type from a list that
// shows each type drawn with the chart's own data.
#include "platform/chart/chart_model.h"

#include <QDialog>

class QListWidget;

namespace ks::chart {

class ChartTypeDialog : public QDialog {
public:
    ChartTypeDialog(const ChartModel& model, QWidget* parent = nullptr);

    // The type picked in the list; a code the list does not draw stays as it was given.
    int chosenType() const;
    void selectType(int code);
    QListWidget* typeList() const { return list_; }

private:
    QListWidget* list_;
};

// Shows the dialog modally; the chosen type, or the model's own one when cancelled.
int editChartType(const ChartModel& model, QWidget* parent);

}
