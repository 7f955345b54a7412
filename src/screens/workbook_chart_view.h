#pragma once

// The chart screen's container OLE1: draws the chart of a workbook file as
// the file describes it (series names and points, axis titles, chart title),
// so a template the user edited in a spreadsheet application shows as edited.
// Reloaded from the file after every export.

#include "files/workbook_chart.h"

#include <optional>

#include <QChartView>
#include <QString>

class QLabel;

namespace termiva {

class WorkbookChartView : public QChartView {
    Q_OBJECT

public:
    explicit WorkbookChartView(QWidget* parent = nullptr);

    // Reads the workbook's chart and draws it in place of the previous one.
    // On a failure the view shows the message instead of a chart, and the
    // message (naming the file) is returned.
    std::optional<QString> load(const QString& path);

    // The chart as last read; empty after a failed load.
    const files::WorkbookChart& workbookChart() const { return data_; }
    // The message of the last failed load; empty after a successful one.
    const QString& errorText() const { return error_; }
    const QString& path() const { return path_; }

    // Room kept free on the right of the plot and legend, in pixels: the
    // chart screen places its summary there.
    void setRightMargin(int pixels);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw();
    void showError(const QString& message);

    files::WorkbookChart data_;
    QString error_;
    QString path_;
    QLabel* errorLabel_ = nullptr;
    int rightMargin_ = 0;
};

} // namespace termiva
