// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook_caches.h"

#include "files/workbook_package.h"
#include "files/workbook_refs.h"

namespace termiva::files::detail {

namespace {

// Larger ranges are left to the spreadsheet application (a whole column is a
// million cells).
constexpr long long kMaxCachedCells = 100000;

std::vector<pugi::xml_node> CollectReferences(pugi::xml_node root) {
    std::vector<pugi::xml_node> found;
    ForEachElement(root, [&](pugi::xml_node node) {
        const auto name = LocalName(node);
        if (name != "numRef" && name != "strRef")
            return Visit::Enter;
        found.push_back(node);
        return Visit::Skip;
    });
    return found;
}

std::optional<std::string> CacheText(const CellValue& value, bool numeric) {
    switch (value.kind) {
    case CellValue::Kind::Number:
        return NumberText(value.number);
    case CellValue::Kind::Empty:
        return std::nullopt;
    case CellValue::Kind::Text:
    case CellValue::Kind::Error:
        if (numeric)
            return std::nullopt;
        return EncodeCellText(value.text);
    case CellValue::Kind::Boolean:
        if (numeric)
            return std::nullopt;
        return std::string(value.number != 0 ? "TRUE" : "FALSE");
    }
    return std::nullopt;
}

// Returns whether the reference's cache was rebuilt; an error once the
// workbook's bounds are passed.
Expected<bool, WorkbookError> Rebuild(const Package& package, pugi::xml_node reference,
                                      const std::vector<Worksheet*>& edited) {
    const auto formula = Child(reference, "f");
    const auto areas = ParseRangeFormula(formula.text().get());
    if (!formula || !areas)
        return false;
    std::vector<const Worksheet*> sources;
    long long count = 0;
    for (const Area& area : *areas) {
        const Worksheet* source = nullptr;
        for (const Worksheet* sheet : edited)
            if (EqualsIgnoringCase(sheet->name(), area.sheet))
                source = sheet;
        if (!source)
            return false;
        sources.push_back(source);
        count += area.cellCount();
    }
    if (count > kMaxCachedCells)
        return false;
    if (auto error = package.ChargeCells(count))
        return *error;

    const bool numeric = LocalName(reference) == "numRef";
    const std::string prefix(Prefix(reference));
    const std::string cacheName = prefix + (numeric ? "numCache" : "strCache");
    auto cache = Child(reference, numeric ? "numCache" : "strCache");
    if (!cache)
        cache = reference.insert_child_after(cacheName.c_str(), formula);
    pugi::xml_node last;
    if (numeric) {
        last = Child(cache, "formatCode");
        if (!last) {
            last = cache.prepend_child((prefix + "formatCode").c_str());
            last.text().set("General");
        }
    }
    for (auto node : Children(cache, "ptCount"))
        cache.remove_child(node);
    for (auto node : Children(cache, "pt"))
        cache.remove_child(node);

    const std::string ptCount = prefix + "ptCount";
    last = last ? cache.insert_child_after(ptCount.c_str(), last)
                : cache.prepend_child(ptCount.c_str());
    last.append_attribute("val").set_value(count);

    long long index = 0;
    for (std::size_t a = 0; a < areas->size(); ++a) {
        for (const CellRef& cell : CellsOf({(*areas)[a]})) {
            const auto text = CacheText(sources[a]->Value(cell.row, cell.column), numeric);
            if (text) {
                if (auto error = package.ChargeCells(0, text->size()))
                    return *error;
                last = cache.insert_child_after((prefix + "pt").c_str(), last);
                last.append_attribute("idx").set_value(index);
                last.append_child((prefix + "v").c_str()).text().set(text->c_str());
            }
            ++index;
        }
    }
    return true;
}

} // namespace

std::optional<WorkbookError> RewriteChartCaches(Package& package,
                                                const std::vector<Worksheet*>& edited) {
    auto charts = package.PartsOfType(kChartContentType);
    if (!charts)
        return charts.error();
    for (const std::string& part : *charts) {
        if (!package.Has(part))
            continue;
        auto xml = package.ReadXml(part);
        if (!xml)
            return xml.error();
        bool changed = false;
        for (auto reference : CollectReferences(xml->root())) {
            auto rebuilt = Rebuild(package, reference, edited);
            if (!rebuilt)
                return rebuilt.error();
            changed = *rebuilt || changed;
        }
        if (changed)
            if (auto error = package.Replace(part, xml->Serialize()))
                return error;
    }
    return std::nullopt;
}

} // namespace termiva::files::detail
