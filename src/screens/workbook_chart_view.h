// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart screen's container OLE1: draws the chart of a workbook file as
// the file describes it (series names, points, colours and markers, axis
// titles, chart title), so a template the user edited in a spreadsheet
// application shows as edited. Reloaded from the file after every export.
// Beyond the file: a click on a legend entry hides or shows its series (the
// axes fit what is shown), the value axis can be logarithmic, and a point
// under the mouse tells its values in a tooltip.

#include "files/workbook_chart.h"
#include "screens/point_tip_chart_view.h"

#include <optional>
#include <vector>

#include <QHash>
#include <QString>

class QLabel;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace termiva {

class WorkbookChartView : public PointTipChartView {
    Q_OBJECT

public:
    explicit WorkbookChartView(QWidget* parent = nullptr);

    // Reads the workbook's chart and draws it in place of the previous one.
    // On a failure the view shows the message instead of a chart, and the
    // message (naming the file) is returned.
    std::optional<QString> load(const QString& path);

    // What the workbook cannot say about the inputs behind it, applied at the
    // next load: the title shown when the chart has none of its own, and text
    // appended to the legend entry of the series of that name
    // ({"tins1", " = 20 mm"}).
    void setLabels(const QString& title, const QHash<QString, QString>& nameSuffixes);

    // The chart as last read; empty after a failed load.
    const files::WorkbookChart& workbookChart() const { return data_; }
    // The message of the last failed load; empty after a successful one.
    const QString& errorText() const { return error_; }
    const QString& path() const { return path_; }

    // Room kept free on the right of the plot and legend, in pixels: the
    // chart screen places its summary there.
    void setRightMargin(int pixels);

    // A hidden series keeps its legend entry (greyed); the axes fit the
    // series shown. Kept over reloads, by position.
    void setSeriesVisible(int index, bool visible);
    bool isSeriesVisible(int index) const;
    // For a picture: the legend entries of hidden series are left out
    // (true) or shown greyed again (false).
    void setHiddenEntriesLeftOut(bool leftOut);

    // Base 10 logarithmic axes for the values and the diameters (which
    // crowd at the left of a linear axis); points at or below zero are left
    // out.
    void setLogScale(bool on);
    bool logScale() const { return logScale_; }

    // The tooltip of point `point` of series `index`: its name, diameter and loss.
    QString pointText(int index, QPointF point) const;

Q_SIGNALS:
    void seriesVisibilityChanged(int index, bool visible);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Points the logarithmic axis cannot show have no tooltip.
    QString pointTip(int index, QPointF point) const override;

private:
    void draw();
    void fitAxes();
    void showError(const QString& message);
    QLineSeries* seriesAt(int index) const;

    files::WorkbookChart data_;
    QString error_;
    QString path_;
    QString title_;
    QHash<QString, QString> nameSuffixes_;
    std::vector<bool> hidden_;
    bool logScale_ = false;
    QLabel* errorLabel_ = nullptr;
    int rightMargin_ = 0;
    // The value axis not in the chart belongs to the view.
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    QLogValueAxis* logAxis_ = nullptr;
    QLogValueAxis* logXAxis_ = nullptr; // the diameters, under the logarithmic scale
};

} // namespace termiva
