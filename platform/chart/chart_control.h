#pragma once
// The chart control: a data grid drawn as a bar, line, area, step or combination
// chart with its legend, axes and title, on screen and into pictures. The operations
// address the grid's current cell, a series by number (from 1) or an axis by id
// (0 category, 1 value, 2 second value); a bad number raises kErrBadArgument.
#include "platform/chart/chart_model.h"
#include "platform/chart/chart_picture.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace ks::chart {

class ChartControl : public QWidget {
public:
    explicit ChartControl(QWidget* parent = nullptr);

    // Drawing: while repainting is off, changes wait for it to be switched on.
    void Refresh();
    bool Repaint() const { return repaint_; }
    void setRepaint(bool on);

    int ChartType() const { return model_.type; }
    void setChartType(int code);
    // The control's own chart editing: a modal dialog in which the user picks a type.
    void EditChartType();

    // The data grid.
    int RowCount() const { return model_.grid.RowCount(); }
    void setRowCount(int count);
    int ColumnCount() const { return model_.grid.ColumnCount(); }
    void setColumnCount(int count);
    int Row() const { return model_.grid.Row(); }
    void setRow(int row) { model_.grid.setRow(row); }
    int Column() const { return model_.grid.Column(); }
    void setColumn(int column) { model_.grid.setColumn(column); }
    // The current cell's data, as text; a number's text is taken as the value.
    QString Data() const { return QString::fromStdString(model_.grid.Data()); }
    void setData(const QString& text);
    std::optional<double> Value(int row, int column) const { return model_.grid.value(row, column); }
    QString ColumnLabel() const { return QString::fromStdString(model_.grid.ColumnLabel()); }
    void setColumnLabel(const QString& text);
    QString RowLabel() const { return QString::fromStdString(model_.grid.RowLabel()); }
    void setRowLabel(const QString& text);
    bool SeriesInRows() const { return model_.seriesInRows; }
    void setSeriesInRows(bool rows);

    // Series and legend.
    QString SeriesLegendText(int series) const;
    void setSeriesLegendText(int series, const QString& text);
    bool LegendVisible() const { return model_.legend.visible; }
    void setLegendVisible(bool visible);
    int LegendPosition() const { return model_.legend.position; }
    void setLegendPosition(int position);
    double LegendFontSize() const { return model_.legend.fontSize; }
    void setLegendFontSize(double points);

    // An axis' first label level.
    const AxisLabels& AxisLabelLevel(int axis) const;
    void setAxisLabelFormat(int axis, const QString& numberFormat);
    void setAxisLabelFontSize(int axis, double points);
    void setAxisLabelBold(int axis, bool bold);

    // Title.
    QString TitleText() const { return QString::fromStdString(model_.title.text); }
    void setTitleText(const QString& text);
    int TitlePosition() const { return model_.title.position; }
    void setTitlePosition(int position);
    bool TitleVisible() const { return model_.title.visible; }
    void setTitleVisible(bool visible);
    const TextLayout& TitleTextLayout() const { return model_.title.layout; }
    // Orientation (0 across, 1 upward, 2 downward), word wrap (0 or 1), alignment (0 left, 1 right, 2 centre).
    void setTitleTextLayout(int orientation, int wordWrap, int alignment);

    // Pictures of the chart at the control's size.
    QImage RenderImage() const { return renderChartImage(model_, size()); }
    void WritePictureFile(const QString& path, int format, int option) const;
    // The chart as a picture for a sheet's picture object; kind 1 is the only kind.
    ChartMetafile RenderMetafile(int kind = 1) const;

    const ChartModel& model() const { return model_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override { return {480, 320}; }

private:
    void changed();
    static void checkAxis(int axis);
    static void checkFontSize(double points);
    void checkSeries(int series) const;

    ChartModel model_;
    bool repaint_ = true;
};

}
