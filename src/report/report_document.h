// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculation report as plain data: what is printed, not how. Built from
// a screen's case without Qt (texts are UTF-8, already formatted as the screen
// shows them) and laid out by report_painter.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace termiva::report {

// The rules every report follows, laid down here and in the painter so that
// a new calculator's report keeps them: each value column has its heading;
// rows of results name an insulation by its thickness ("20 mm"), not by its
// field; an empty input prints "not set"; a unit printed in the caption
// ("[mm]") is not printed again; numbers in prose use the user's separator
// (ProseNumbers); and the summary states the case and its answer in one line.

// One input as the user typed it.
struct ReportField {
    std::string caption; // as beside the field on the screen
    std::string value;   // the field's text, unconverted; empty prints "not set"
    std::string unit;    // "°C", "mm", "W/(m K)", "-"; may be empty; not printed when the
                         // caption carries a unit in brackets
};

// Inputs that the screen groups in one frame ("Input Data", "Thickness of
// Insulation", a row of the pipe table).
struct ReportGroup {
    std::string title;
    std::vector<ReportField> fields;
};

struct ReportCell {
    std::string text;
    // A value the user should look at twice (outside the range of the air
    // data, for instance): printed marked and explained by the table's note.
    bool flagged = false;
};

// A table of results with a caption column. A table with empty rowCaptions
// has no caption column. Every row holds one cell per column heading (the
// caption column has no heading of its own: its heading is rowHeading).
struct ReportTable {
    std::string title;
    std::string rowHeading;
    std::vector<std::string> columnHeadings;
    std::vector<std::string> rowCaptions;
    std::vector<std::vector<ReportCell>> rows;
    std::string flagNote; // what a marked cell means; printed under the table when a cell is marked
};

struct ReportSeries {
    std::string name;
    std::vector<std::pair<double, double>> points; // (x, y) in axis units
    bool rightAxis = false;                        // read against the right-hand axis
};

// A line chart, drawn as vector graphics.
struct ReportChart {
    std::string title;
    std::string xAxisTitle;
    std::string yAxisTitle;
    std::string rightAxisTitle; // a second quantity's axis, for series marked rightAxis
    std::vector<ReportSeries> series;
    bool logarithmic = false; // the left axis in decades (values above 0 only)
};

struct ReportDocument {
    std::string programName;    // "TERMIVA"
    std::string programVersion; // "Version 1.0"
    std::string dateTime;       // when the report was made, as printed
    std::string screenTitle;    // "SINGLE PIPES"
    std::string fileName;       // the input file's name; empty when the case has none
    // One line under the title that says what was computed and its answer:
    // "Single pipe D2 26.9 mm, T1 143 oC, Tout 20 oC: bare loss 225.22 W/m; ...".
    std::string summary;

    std::string decimalSeparator = "."; // the user's, for the chart's tick labels

    std::vector<ReportGroup> inputs;
    std::vector<ReportTable> inputTables; // inputs held in a table on the screen (pipe rows)
    std::vector<ReportTable> results;
    std::string drawing;      // a drawing of the case beside the inputs: Qt resource path of an
                              // SVG, or empty
    std::string drawingTitle; // printed under the drawing
    std::vector<std::string> method; // paragraphs, after the results

    // A part of its own after the results, from a new page (the single
    // pipe's "Diagram"): its heading, tables, then the chart.
    std::string supplementTitle;
    std::vector<ReportTable> supplementTables;
    std::optional<ReportChart> chart;

    std::string project; // an empty one prints a line to write on
    std::string preparedBy;
};

} // namespace termiva::report
