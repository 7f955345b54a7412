// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook_chart.h"

#include "files/workbook_package.h"
#include "files/workbook_refs.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace termiva::files {

using detail::Child;
using detail::Children;
using detail::LocalName;

namespace {

// Ranges past this are not resolved cell by cell; the chart's cache stands in.
constexpr long long kMaxResolvedCells = 100000;

// The first <c:chart r:id="..."> of a drawing, in document order.
std::string_view FirstChartId(pugi::xml_node node) {
    std::string_view id;
    detail::ForEachElement(node, [&](pugi::xml_node element) {
        if (LocalName(element) != "chart" || detail::RelationshipId(element).empty())
            return detail::Visit::Enter;
        id = detail::RelationshipId(element);
        return detail::Visit::Stop;
    });
    return id;
}

Expected<std::optional<std::string>, WorkbookError> ChartOfSheet(const detail::Package& package,
                                                                 const SheetInfo& sheet) {
    auto relationships = package.Relationships(sheet.part);
    if (!relationships)
        return relationships.error();
    for (const auto& drawing : *relationships) {
        if (!detail::HasType(drawing, "/drawing") || drawing.external ||
            !package.Has(drawing.target))
            continue;
        auto xml = package.ReadXml(drawing.target);
        if (!xml)
            return xml.error();
        const std::string id(FirstChartId(xml->root()));
        auto drawingRelationships = package.Relationships(drawing.target);
        if (!drawingRelationships)
            return drawingRelationships.error();
        for (const auto& chart : *drawingRelationships)
            if (chart.id == id && !chart.external && package.Has(chart.target))
                return std::optional<std::string>(chart.target);
    }
    return std::optional<std::string>();
}

Expected<std::string, WorkbookError> FindChartPart(Workbook& workbook) {
    const auto& package = workbook.package();
    for (const SheetKind kind : {SheetKind::Chartsheet, SheetKind::Worksheet}) {
        for (const SheetInfo& sheet : workbook.sheets()) {
            if (sheet.kind != kind || !package.Has(sheet.part))
                continue;
            auto chart = ChartOfSheet(package, sheet);
            if (!chart)
                return chart.error();
            if (*chart)
                return **chart;
        }
    }
    auto charts = package.PartsOfType(detail::kChartContentType);
    if (!charts)
        return charts.error();
    for (const auto& part : *charts)
        if (package.Has(part))
            return part;
    return package.Fail("has no chart.");
}

// The workbook the chart is read from, and the first error met on the way:
// once the workbook's bounds are passed, the chart is not read further.
struct Reader {
    Workbook& workbook;
    std::optional<WorkbookError> error;

    bool Charge(long long cells, std::size_t textBytes = 0) {
        if (!error)
            error = workbook.package().ChargeCells(cells, textBytes);
        return !error;
    }
};

struct RangeValues {
    std::string formula;
    std::vector<CellValue> values; // one per cell of the range, in order
};

std::vector<CellValue> CachedValues(pugi::xml_node cache, bool numeric) {
    std::vector<CellValue> values;
    if (!cache)
        return values;
    const auto count = detail::ParseNumberText(Child(cache, "ptCount").attribute("val").value());
    if (count && *count >= 0 && *count <= kMaxResolvedCells)
        values.resize(static_cast<std::size_t>(*count));
    for (auto point : Children(cache, "pt")) {
        const auto index = detail::ParseNumberText(point.attribute("idx").value());
        if (!index || *index < 0 || *index >= kMaxResolvedCells)
            continue;
        const auto i = static_cast<std::size_t>(*index);
        if (i >= values.size())
            values.resize(i + 1);
        const std::string_view text = Child(point, "v").text().get();
        if (numeric) {
            if (const auto number = detail::ParseNumberText(text))
                values[i] = {CellValue::Kind::Number, *number, {}};
        } else {
            values[i] = {CellValue::Kind::Text, 0, detail::DecodeCellText(text)};
        }
    }
    return values;
}

// The values behind a c:numRef / c:strRef (or the literal c:numLit / c:strLit)
// of `parent`: from the cells where the formula resolves, else from the cache.
// Every value read counts against the workbook's bounds, as it is read.
std::optional<RangeValues> ReadRange(pugi::xml_node parent, Reader& reader) {
    if (reader.error)
        return std::nullopt;
    const auto charged = [&](std::vector<CellValue> values) -> std::optional<RangeValues> {
        std::size_t textBytes = 0;
        for (const auto& value : values)
            textBytes += value.text.size();
        if (!reader.Charge(static_cast<long long>(values.size()), textBytes))
            return std::nullopt;
        return RangeValues{{}, std::move(values)};
    };
    for (const std::string_view kind : {"numRef", "strRef"}) {
        const auto reference = Child(parent, kind);
        if (!reference)
            continue;
        const bool numeric = kind == "numRef";
        const std::string formula = Child(reference, "f").text().get();
        if (auto areas = detail::ParseRangeFormula(formula)) {
            long long count = 0;
            std::vector<Worksheet*> sheets;
            for (const auto& area : *areas) {
                count += area.cellCount();
                if (count > kMaxResolvedCells)
                    break;
                auto sheet = reader.workbook.Worksheets(area.sheet);
                sheets.push_back(sheet ? *sheet : nullptr);
            }
            if (count <= kMaxResolvedCells &&
                std::find(sheets.begin(), sheets.end(), nullptr) == sheets.end()) {
                if (!reader.Charge(count))
                    return std::nullopt;
                RangeValues range{formula, {}};
                for (std::size_t a = 0; a < areas->size(); ++a)
                    for (const auto& cell : detail::CellsOf({(*areas)[a]})) {
                        range.values.push_back(sheets[a]->Value(cell.row, cell.column));
                        if (!reader.Charge(0, range.values.back().text.size()))
                            return std::nullopt;
                    }
                return range;
            }
        }
        auto range =
            charged(CachedValues(Child(reference, numeric ? "numCache" : "strCache"), numeric));
        if (range)
            range->formula = formula;
        return range;
    }
    if (const auto literal = Child(parent, "numLit"))
        return charged(CachedValues(literal, true));
    if (const auto literal = Child(parent, "strLit"))
        return charged(CachedValues(literal, false));
    return std::nullopt;
}

std::string JoinedText(const std::vector<CellValue>& values) {
    std::string text;
    for (const auto& value : values) {
        std::string part =
            value.kind == CellValue::Kind::Number ? detail::NumberText(value.number) : value.text;
        if (part.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += part;
    }
    return text;
}

std::string TitleText(pugi::xml_node title, Reader& reader) {
    const auto tx = Child(title, "tx");
    if (const auto rich = Child(tx, "rich")) {
        std::string text;
        for (auto paragraph : Children(rich, "p")) {
            if (!text.empty())
                text += '\n';
            text += detail::TextOf(paragraph, "t");
        }
        return text;
    }
    if (auto range = ReadRange(tx, reader))
        return JoinedText(range->values);
    return {};
}

std::optional<double> NumberAt(const std::vector<CellValue>& values, std::size_t i) {
    if (i < values.size() && values[i].kind == CellValue::Kind::Number)
        return values[i].number;
    return std::nullopt;
}

// An <a:srgbClr val="RRGGBB"/> inside a fill, or nothing.
std::optional<std::uint32_t> SolidColour(pugi::xml_node fill) {
    const std::string_view text =
        Child(Child(fill, "solidFill"), "srgbClr").attribute("val").value();
    if (text.size() != 6)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                   : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

ChartSeries ReadSeries(pugi::xml_node series, Reader& reader) {
    ChartSeries result;
    const auto tx = Child(series, "tx");
    if (const auto literal = Child(tx, "v")) {
        result.name = detail::DecodeCellText(literal.text().get());
    } else if (auto range = ReadRange(tx, reader)) {
        result.name = JoinedText(range->values);
    } else {
        // The index is the writer's claim: only a plain count names the series.
        const auto index = detail::ParseNumberText(Child(series, "idx").attribute("val").value());
        const bool usable = index && *index >= 0 && *index < 1e15 && *index == std::floor(*index);
        result.name = "Series" + std::to_string(usable ? static_cast<long long>(*index) + 1 : 1);
    }
    const auto shape = Child(series, "spPr");
    result.colour = SolidColour(Child(shape, "ln"));
    if (!result.colour)
        result.colour = SolidColour(shape);
    const auto marker = Child(series, "marker");
    result.marker = Child(marker, "symbol").attribute("val").value();

    auto xNode = Child(series, "xVal");
    if (!xNode)
        xNode = Child(series, "cat");
    auto yNode = Child(series, "yVal");
    if (!yNode)
        yNode = Child(series, "val");
    const auto x = ReadRange(xNode, reader);
    const auto y = ReadRange(yNode, reader);
    if (x)
        result.xRange = x->formula;
    if (!y)
        return result;
    result.yRange = y->formula;

    // Text categories (or none) place the points at 1, 2, 3...
    const bool numericX = x && (Child(xNode, "numRef") || Child(xNode, "numLit"));
    for (std::size_t i = 0; i < y->values.size(); ++i) {
        const auto yValue = NumberAt(y->values, i);
        const auto xValue =
            numericX ? NumberAt(x->values, i) : std::optional<double>(static_cast<double>(i + 1));
        if (xValue && yValue)
            result.points.emplace_back(*xValue, *yValue);
    }
    return result;
}

std::string_view AxisId(pugi::xml_node node) {
    return Child(node, "axId").attribute("val").value();
}

Expected<WorkbookChart, WorkbookError> ReadChart(Workbook& workbook) {
    Reader reader{workbook, std::nullopt};
    auto part = FindChartPart(workbook);
    if (!part)
        return part.error();
    auto xml = workbook.package().ReadXml(*part);
    if (!xml)
        return xml.error();
    const auto chart = Child(xml->root(), "chart");
    if (!chart)
        return workbook.package().Fail("is damaged: its part " + *part + " is not a chart.");

    WorkbookChart result;
    if (const auto title = Child(chart, "title"))
        result.title = TitleText(title, reader);

    const auto plotArea = Child(chart, "plotArea");
    std::map<std::string, pugi::xml_node, std::less<>> axes;
    std::vector<std::string> axisOrder; // the first plot's axes: category, then value
    for (auto child = plotArea.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const auto name = LocalName(child);
        if (name == "valAx" || name == "catAx" || name == "dateAx" || name == "serAx") {
            axes.emplace(std::string(AxisId(child)), child);
        } else if (name.size() > 5 && name.substr(name.size() - 5) == "Chart") {
            for (auto series : Children(child, "ser"))
                result.series.push_back(ReadSeries(series, reader));
            if (axisOrder.empty())
                for (auto id : Children(child, "axId"))
                    axisOrder.emplace_back(id.attribute("val").value());
        }
    }
    const auto axisTitle = [&](std::size_t order, std::string_view positions) -> std::string {
        pugi::xml_node axis;
        if (order < axisOrder.size())
            if (auto it = axes.find(axisOrder[order]); it != axes.end())
                axis = it->second;
        if (!axis)
            for (const auto& [id, node] : axes)
                if (!axis && positions.find(Child(node, "axPos").attribute("val").value()[0]) !=
                                 std::string_view::npos)
                    axis = node;
        const auto title = Child(axis, "title");
        return title ? TitleText(title, reader) : std::string();
    };
    result.xAxisTitle = axisTitle(0, "bt");
    result.yAxisTitle = axisTitle(1, "lr");
    if (reader.error)
        return *reader.error;
    return result;
}

} // namespace

Expected<WorkbookChart, WorkbookError> ReadWorkbookChart(Workbook& workbook) {
    if (!workbook.isOpen())
        return WorkbookError{"The workbook is closed."};
    return detail::Guarded(workbook.path(), [&] { return ReadChart(workbook); });
}

Expected<WorkbookChart, WorkbookError> ReadWorkbookChart(const std::string& path) {
    auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
    if (!workbook)
        return workbook.error();
    return ReadWorkbookChart(workbook.value());
}

} // namespace termiva::files
