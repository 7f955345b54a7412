// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook.h"

#include "files/workbook_caches.h"
#include "files/workbook_package.h"
#include "files/workbook_refs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <utility>

namespace termiva::files {

using detail::CellRef;
using detail::Child;
using detail::Children;
using detail::Package;
using detail::XmlPart;

struct Workbook::Impl {
    std::unique_ptr<Package> package;
    bool readOnly = false;
    std::string workbookPart;
    std::vector<SheetInfo> sheets;
    std::vector<std::string> sharedStrings;
    // Worksheets as loaded on demand, one per part however many sheets name
    // it; a part that failed to load keeps its error, so it is never read twice.
    std::map<std::string, std::unique_ptr<Worksheet>> loaded; // by part, upper case
    std::map<std::string, WorkbookError> failed;              // by part, upper case
    std::map<std::string, int> worksheetIndex;                // name in upper case -> index from 1

    Expected<Worksheet*, WorkbookError> Load(const SheetInfo& info);
};

struct Worksheet::Impl {
    const Package* package = nullptr;
    const std::vector<std::string>* sharedStrings = nullptr;
    std::string name;
    std::string part;
    XmlPart xml;
    pugi::xml_node sheetData;
    std::map<int, pugi::xml_node> rows;                  // by row number
    std::map<std::pair<int, int>, pugi::xml_node> cells; // by (row, column)
    bool modified = false;
    bool hasFormulas = false;
    // What the sheet's formulas need to stay whole: each shared formula's
    // range and how many cells besides its master use it, by its index
    // ("si"); the ranges of array formulas over more than one cell.
    struct SharedFormula {
        std::string range;
        int users = 0;
        std::optional<CellRef> master; // once a value replaced the master
    };
    std::map<std::string, SharedFormula> sharedFormulas;
    std::vector<std::pair<CellRef, CellRef>> arrays;

    explicit Impl(XmlPart part_) : xml(std::move(part_)) {}
    void Index();
    void IndexFormula(pugi::xml_node formula);
    // Why `cell` at `ref` may not take a value ("" when it may). Notes a
    // shared formula's master or user that the value replaces.
    std::string TakeFormula(pugi::xml_node cell, CellRef ref);
    pugi::xml_node CellForWriting(CellRef ref);
    // Empties the cell at `address` for a new value, keeping its style, and
    // hands it out in `cell`. Refused with the error to fail with: an address
    // that is no cell, a value the cell cannot take (`refusal` says why the
    // `what` cannot be taken; empty for a sound value), a formula that other
    // cells still need.
    std::optional<WorkbookError> ClearForValue(std::string_view address, std::string_view what,
                                               std::string_view refusal, pugi::xml_node& cell);
    void UpdateDimension();
};

namespace {

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Children of a worksheet that come before <sheetData>, in schema order.
constexpr std::string_view kBeforeSheetData[] = {"sheetPr", "dimension", "sheetViews",
                                                 "sheetFormatPr", "cols"};
// Children of a workbook that come after <calcPr>.
constexpr std::string_view kAfterCalcPr[] = {
    "oleSize",       "customWorkbookViews", "pivotCaches",       "smartTagPr", "smartTagTypes",
    "webPublishing", "fileRecoveryPr",      "webPublishObjects", "extLst"};

std::optional<int> ParseRowNumber(const char* text) {
    auto value = detail::ParseNumberText(text);
    if (!value || *value < 1 || *value > detail::kMaxRow || *value != std::floor(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

void RemoveChildren(pugi::xml_node parent, std::string_view localName) {
    for (auto node : Children(parent, localName))
        parent.remove_child(node);
}

// Appends an element to `parent`, but before its <extLst>, which always comes last.
pugi::xml_node AppendBeforeExtensions(pugi::xml_node parent, const std::string& name) {
    if (auto ext = Child(parent, "extLst"))
        return parent.insert_child_before(name.c_str(), ext);
    return parent.append_child(name.c_str());
}

Expected<std::vector<std::string>, WorkbookError> ReadSharedStrings(const Package& package,
                                                                    const std::string& part) {
    auto xml = package.ReadXml(part);
    if (!xml)
        return xml.error();
    std::vector<std::string> strings;
    for (auto item : Children(xml->root(), "si"))
        strings.push_back(detail::DecodeCellText(detail::TextOf(item, "t")));
    return strings;
}

} // namespace

void Worksheet::Impl::Index() {
    // Rows and cells may leave their position implied by order: every one
    // gets its explicit reference, so that edits can be placed among them.
    int rowNumber = 0;
    for (auto row : Children(sheetData, "row")) {
        auto r = ParseRowNumber(row.attribute("r").value());
        rowNumber = r ? *r : rowNumber + 1;
        if (!r) {
            auto attribute = row.attribute("r") ? row.attribute("r") : row.append_attribute("r");
            attribute.set_value(rowNumber);
        }
        rows.emplace(rowNumber, row);
        int column = 0;
        for (auto cell : Children(row, "c")) {
            auto ref = detail::ParseCellAddress(cell.attribute("r").value());
            column = ref && ref->row == rowNumber ? ref->column : column + 1;
            if (!ref || ref->row != rowNumber) {
                auto attribute =
                    cell.attribute("r") ? cell.attribute("r") : cell.append_attribute("r");
                attribute.set_value(detail::CellAddress({rowNumber, column}).c_str());
            }
            cells.emplace(std::make_pair(rowNumber, column), cell);
            if (auto formula = Child(cell, "f")) {
                hasFormulas = true;
                IndexFormula(formula);
            }
        }
    }
}

namespace {

// "C4:C30" or "C4"; nullopt for anything else.
std::optional<std::pair<CellRef, CellRef>> ParseRange(std::string_view range) {
    const auto colon = range.find(':');
    const auto first = detail::ParseCellAddress(range.substr(0, colon));
    const auto last =
        colon == std::string_view::npos ? first : detail::ParseCellAddress(range.substr(colon + 1));
    if (!first || !last)
        return std::nullopt;
    return std::make_pair(*first, *last);
}

bool Inside(CellRef cell, const std::pair<CellRef, CellRef>& range) {
    return cell.row >= range.first.row && cell.row <= range.second.row &&
           cell.column >= range.first.column && cell.column <= range.second.column;
}

} // namespace

void Worksheet::Impl::IndexFormula(pugi::xml_node formula) {
    const std::string_view type = formula.attribute("t").value();
    if (type == "shared") {
        SharedFormula& shared = sharedFormulas[formula.attribute("si").value()];
        if (formula.attribute("ref"))
            shared.range = formula.attribute("ref").value();
        else
            ++shared.users;
    } else if (type == "array") {
        const auto range = ParseRange(formula.attribute("ref").value());
        if (range &&
            (range->first.row != range->second.row || range->first.column != range->second.column))
            arrays.push_back(*range);
    }
}

std::string Worksheet::Impl::TakeFormula(pugi::xml_node cell, CellRef ref) {
    for (const auto& range : arrays)
        if (Inside(ref, range))
            return "it is part of the array formula over " + detail::CellAddress(range.first) +
                   ":" + detail::CellAddress(range.second);
    const auto formula = Child(cell, "f");
    if (!formula || std::string_view(formula.attribute("t").value()) != "shared")
        return {};
    const auto shared = sharedFormulas.find(formula.attribute("si").value());
    if (shared == sharedFormulas.end())
        return {};
    if (formula.attribute("ref"))
        shared->second.master = ref;
    else
        --shared->second.users;
    return {};
}

std::optional<WorkbookError> Worksheet::CheckFormulas() const {
    for (const auto& [index, shared] : impl_->sharedFormulas)
        if (shared.master && shared.users > 0)
            return impl_->package->Fail(
                "cannot take a value in cell " + detail::CellAddress(*shared.master) +
                ": it holds the shared formula that other cells of " + shared.range + " use.");
    return std::nullopt;
}

pugi::xml_node Worksheet::Impl::CellForWriting(CellRef ref) {
    const std::string prefix(detail::Prefix(sheetData));
    pugi::xml_node row;
    if (auto it = rows.lower_bound(ref.row); it != rows.end() && it->first == ref.row) {
        row = it->second;
    } else {
        row = it != rows.end() ? sheetData.insert_child_before((prefix + "row").c_str(), it->second)
                               : sheetData.append_child((prefix + "row").c_str());
        row.append_attribute("r").set_value(ref.row);
        rows.emplace(ref.row, row);
    }
    // The span hint of a row may no longer hold once a cell is added.
    row.remove_attribute("spans");

    const auto key = std::make_pair(ref.row, ref.column);
    if (auto it = cells.lower_bound(key); it != cells.end() && it->first == key)
        return it->second;
    // (A sheet may repeat a row; cells are then placed in the first of them.)
    auto next = cells.lower_bound(key);
    pugi::xml_node cell =
        next != cells.end() && next->first.first == ref.row && next->second.parent() == row
            ? row.insert_child_before((prefix + "c").c_str(), next->second)
            : AppendBeforeExtensions(row, prefix + "c");
    cell.append_attribute("r").set_value(detail::CellAddress(ref).c_str());
    cells.emplace(key, cell);
    return cell;
}

void Worksheet::Impl::UpdateDimension() {
    auto dimension = Child(xml.root(), "dimension");
    if (!dimension || cells.empty())
        return;
    int firstColumn = detail::kMaxColumn, lastColumn = 1;
    for (const auto& [key, node] : cells) {
        firstColumn = std::min(firstColumn, key.second);
        lastColumn = std::max(lastColumn, key.second);
    }
    const CellRef first{cells.begin()->first.first, firstColumn};
    const CellRef last{cells.rbegin()->first.first, lastColumn};
    std::string ref = detail::CellAddress(first);
    if (first.row != last.row || first.column != last.column)
        ref += ":" + detail::CellAddress(last);
    auto attribute =
        dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref");
    attribute.set_value(ref.c_str());
}

Worksheet::Worksheet(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Worksheet::~Worksheet() = default;

const std::string& Worksheet::name() const {
    return impl_->name;
}

int Worksheet::lastRow() const {
    return impl_->cells.empty() ? 0 : impl_->cells.rbegin()->first.first;
}

int Worksheet::lastColumn() const {
    int column = 0;
    for (const auto& [key, node] : impl_->cells)
        column = std::max(column, key.second);
    return column;
}

CellValue Worksheet::Value(std::string_view address) const {
    const auto ref = detail::ParseCellAddress(address);
    return ref ? Value(ref->row, ref->column) : CellValue{};
}

CellValue Worksheet::Value(int row, int column) const {
    CellValue value;
    const auto it = impl_->cells.find({row, column});
    if (it == impl_->cells.end())
        return value;
    const pugi::xml_node cell = it->second;
    const std::string_view type = cell.attribute("t").value();
    const auto v = Child(cell, "v");
    const std::string_view text = v.text().get();
    if (type == "s") {
        const auto index = detail::ParseNumberText(text);
        const auto& strings = *impl_->sharedStrings;
        value.kind = CellValue::Kind::Text;
        if (index && *index >= 0 && *index < static_cast<double>(strings.size()))
            value.text = strings[static_cast<std::size_t>(*index)];
    } else if (type == "inlineStr") {
        value.kind = CellValue::Kind::Text;
        value.text = detail::DecodeCellText(detail::TextOf(Child(cell, "is"), "t"));
    } else if (type == "str" || type == "d") {
        if (v) {
            value.kind = CellValue::Kind::Text;
            value.text = detail::DecodeCellText(text);
        }
    } else if (type == "b") {
        if (v) {
            value.kind = CellValue::Kind::Boolean;
            value.number = text == "1" ? 1 : 0;
        }
    } else if (type == "e") {
        value.kind = CellValue::Kind::Error;
        value.text = std::string(text);
    } else if (v) {
        if (const auto number = detail::ParseNumberText(text)) {
            value.kind = CellValue::Kind::Number;
            value.number = *number;
        }
    }
    return value;
}

namespace {

// Empties a cell for a new value, keeping its style.
void ClearCell(pugi::xml_node cell) {
    cell.remove_attribute("t");
    cell.remove_attribute("vm"); // value metadata belongs to the old value
    RemoveChildren(cell, "f");
    RemoveChildren(cell, "v");
    RemoveChildren(cell, "is");
}

} // namespace

std::optional<WorkbookError> Worksheet::Impl::ClearForValue(std::string_view address,
                                                            std::string_view what,
                                                            std::string_view refusal,
                                                            pugi::xml_node& cell) {
    const auto ref = detail::ParseCellAddress(address);
    if (!ref)
        return package->Fail("cannot take a value at \"" + std::string(address) +
                             "\": that is not a cell address.");
    if (!refusal.empty())
        return package->Fail("cannot take the " + std::string(what) + " for cell " +
                             detail::CellAddress(*ref) + ": " + std::string(refusal) + ".");
    cell = CellForWriting(*ref);
    if (auto why = TakeFormula(cell, *ref); !why.empty())
        return package->Fail("cannot take a value in cell " + detail::CellAddress(*ref) + ": " +
                             why + ".");
    ClearCell(cell);
    modified = true;
    return std::nullopt;
}

std::optional<WorkbookError> Worksheet::SetText(std::string_view address, std::string_view text) {
    pugi::xml_node cell;
    if (auto error = impl_->ClearForValue(
            address, "text", detail::IsValidUtf8(text) ? "" : "it is not valid UTF-8", cell))
        return error;
    const std::string prefix(detail::Prefix(impl_->sheetData));
    cell.append_attribute("t").set_value("inlineStr");
    auto t = AppendBeforeExtensions(cell, prefix + "is").append_child((prefix + "t").c_str());
    const std::string encoded = detail::EncodeCellText(text);
    if (!encoded.empty() && (std::isspace(static_cast<unsigned char>(encoded.front())) ||
                             std::isspace(static_cast<unsigned char>(encoded.back()))))
        t.append_attribute("xml:space").set_value("preserve");
    t.text().set(encoded.c_str());
    return std::nullopt;
}

std::optional<WorkbookError> Worksheet::SetNumber(std::string_view address, double value) {
    pugi::xml_node cell;
    if (auto error = impl_->ClearForValue(
            address, "value", std::isfinite(value) ? "" : "it is not a finite number", cell))
        return error;
    const std::string prefix(detail::Prefix(impl_->sheetData));
    AppendBeforeExtensions(cell, prefix + "v").text().set(detail::NumberText(value).c_str());
    return std::nullopt;
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Expected<Workbook, WorkbookError> Workbook::Open(const std::string& path, WorkbookAccess access) {
    return detail::Guarded(path, [&] { return OpenPackage(path, access); });
}

Expected<Workbook, WorkbookError> Workbook::OpenPackage(const std::string& path,
                                                        WorkbookAccess access) {
    auto package = Package::Open(path, access == WorkbookAccess::ReadOnly);
    if (!package)
        return package.error();
    auto impl = std::make_unique<Impl>();
    impl->package = std::move(package).value();
    impl->readOnly = access == WorkbookAccess::ReadOnly;
    const Package& pkg = *impl->package;

    auto rootRelationships = pkg.Relationships("");
    if (!rootRelationships)
        return rootRelationships.error();
    for (const auto& relationship : *rootRelationships)
        if (detail::HasType(relationship, "/officeDocument") && !relationship.external) {
            impl->workbookPart = relationship.target;
            break;
        }
    if (impl->workbookPart.empty() || !pkg.Has(impl->workbookPart))
        return pkg.Fail("is not a workbook (.xlsx): it has no workbook part.");

    auto workbookXml = pkg.ReadXml(impl->workbookPart);
    if (!workbookXml)
        return workbookXml.error();
    if (detail::LocalName(workbookXml->root()) != "workbook")
        return pkg.Fail("is not a workbook (.xlsx): its main part is not a workbook.");
    auto relationships = pkg.Relationships(impl->workbookPart);
    if (!relationships)
        return relationships.error();

    const auto sheetNodes = Children(Child(workbookXml->root(), "sheets"), "sheet");
    if (sheetNodes.size() > kMaxWorkbookSheets)
        return pkg.Fail("is too large: it has more than " + std::to_string(kMaxWorkbookSheets) +
                        " sheets.");
    // The last relationship of an id wins, as it did when every sheet
    // looked through them all.
    std::map<std::string_view, const detail::Relationship*> byId;
    for (const auto& relationship : *relationships)
        if (!relationship.external)
            byId[relationship.id] = &relationship;
    int worksheets = 0;
    for (auto sheet : sheetNodes) {
        SheetInfo info;
        info.name = sheet.attribute("name").value();
        if (const auto it = byId.find(detail::RelationshipId(sheet)); it != byId.end()) {
            const auto& relationship = *it->second;
            info.part = relationship.target;
            if (detail::HasType(relationship, "/worksheet"))
                info.kind = SheetKind::Worksheet;
            else if (detail::HasType(relationship, "/chartsheet"))
                info.kind = SheetKind::Chartsheet;
        }
        if (info.kind == SheetKind::Worksheet)
            impl->worksheetIndex.emplace(UpperCase(info.name), ++worksheets);
        impl->sheets.push_back(std::move(info));
    }

    for (const auto& relationship : *relationships)
        if (detail::HasType(relationship, "/sharedStrings") && !relationship.external &&
            pkg.Has(relationship.target)) {
            auto strings = ReadSharedStrings(pkg, relationship.target);
            if (!strings)
                return strings.error();
            impl->sharedStrings = std::move(strings).value();
        }
    return Workbook(std::move(impl));
}

const std::string& Workbook::path() const {
    return impl_->package->path();
}
WorkbookError Workbook::Closed() const {
    return impl_ ? impl_->package->Fail("is closed.") : WorkbookError{"The workbook is closed."};
}

bool Workbook::isOpen() const {
    return impl_ && impl_->package->isOpen();
}
detail::Package& Workbook::package() {
    return *impl_->package;
}
const std::vector<SheetInfo>& Workbook::sheets() const {
    return impl_->sheets;
}

std::vector<std::string> Workbook::WorksheetNames() const {
    std::vector<std::string> names;
    for (const auto& sheet : impl_->sheets)
        if (sheet.kind == SheetKind::Worksheet)
            names.push_back(sheet.name);
    return names;
}

Expected<Worksheet*, WorkbookError> Workbook::Impl::Load(const SheetInfo& info) {
    const std::string key = UpperCase(info.part);
    if (const auto it = loaded.find(key); it != loaded.end())
        return it->second.get();
    if (const auto it = failed.find(key); it != failed.end())
        return it->second;
    const auto fail = [&](WorkbookError error) -> Expected<Worksheet*, WorkbookError> {
        failed.emplace(key, error);
        return error;
    };
    auto xml = package->ReadXml(info.part);
    if (!xml)
        return fail(xml.error());
    if (detail::LocalName(xml->root()) != "worksheet")
        return fail(package->Fail("is damaged: its part " + info.part + " is not a worksheet."));
    auto sheetImpl = std::make_unique<Worksheet::Impl>(std::move(xml).value());
    sheetImpl->package = package.get();
    sheetImpl->sharedStrings = &sharedStrings;
    sheetImpl->name = info.name;
    sheetImpl->part = info.part;
    auto root = sheetImpl->xml.root();
    sheetImpl->sheetData = Child(root, "sheetData");
    if (!sheetImpl->sheetData) {
        pugi::xml_node after;
        for (auto name : kBeforeSheetData)
            if (auto node = Child(root, name))
                after = node;
        const std::string name = std::string(detail::Prefix(root)) + "sheetData";
        sheetImpl->sheetData =
            after ? root.insert_child_after(name.c_str(), after) : root.prepend_child(name.c_str());
    }
    sheetImpl->Index();
    auto& sheet = loaded[key];
    sheet.reset(new Worksheet(std::move(sheetImpl)));
    return sheet.get();
}

Expected<Worksheet*, WorkbookError> Workbook::Worksheets(int index) {
    if (!isOpen())
        return Closed();
    return detail::Guarded(path(), [&]() -> Expected<Worksheet*, WorkbookError> {
        int seen = 0;
        for (const SheetInfo& info : impl_->sheets)
            if (info.kind == SheetKind::Worksheet && ++seen == index)
                return impl_->Load(info);
        if (seen == 0)
            return impl_->package->Fail("has no worksheet.");
        return impl_->package->Fail("has no worksheet " + std::to_string(index) + ".");
    });
}

Expected<Worksheet*, WorkbookError> Workbook::Worksheets(std::string_view name) {
    if (!isOpen())
        return Closed();
    const auto it = impl_->worksheetIndex.find(UpperCase(name));
    if (it == impl_->worksheetIndex.end())
        return impl_->package->Fail("has no worksheet \"" + std::string(name) + "\".");
    return Worksheets(it->second);
}

namespace {

constexpr std::string_view kCalcChainContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml";

std::string_view WithoutLeadingSlash(std::string_view name) {
    if (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    return name;
}

// Whether `part` is declared a calculation chain: by its own override, or
// by the default of its extension when it has none.
bool IsCalcChain(const XmlPart& types, std::string_view part) {
    for (auto node : Children(types.root(), "Override"))
        if (detail::EqualsIgnoringCase(WithoutLeadingSlash(node.attribute("PartName").value()),
                                       part))
            return node.attribute("ContentType").value() == kCalcChainContentType;
    const auto dot = part.rfind('.');
    if (dot == std::string_view::npos || part.find('/', dot) != std::string_view::npos)
        return false;
    for (auto node : Children(types.root(), "Default"))
        if (detail::EqualsIgnoringCase(node.attribute("Extension").value(), part.substr(dot + 1)))
            return node.attribute("ContentType").value() == kCalcChainContentType;
    return false;
}

// Whether a relationship other than `exceptId` of `exceptSource` targets `part`.
Expected<bool, WorkbookError> ReferredToElsewhere(const Package& package, std::string_view part,
                                                  const std::string& exceptSource,
                                                  std::string_view exceptId) {
    constexpr std::string_view kRels = ".rels";
    for (const std::string& name : package.PartNames()) {
        // "xl/_rels/workbook.xml.rels" describes "xl/workbook.xml".
        const auto folder = name.rfind("_rels/");
        if (name.size() < kRels.size() || folder == std::string::npos ||
            name.find('/', folder + 6) != std::string::npos ||
            !detail::EqualsIgnoringCase(std::string_view(name).substr(name.size() - kRels.size()),
                                        kRels))
            continue;
        const std::string source = name.substr(0, folder) +
                                   name.substr(folder + 6, name.size() - folder - 6 - kRels.size());
        auto relationships = package.Relationships(source);
        if (!relationships)
            return relationships.error();
        for (const auto& relationship : *relationships)
            if (!relationship.external && detail::EqualsIgnoringCase(relationship.target, part) &&
                !(detail::EqualsIgnoringCase(source, exceptSource) && relationship.id == exceptId))
                return true;
    }
    return false;
}

// Removes the calculation chain, which lists formula cells and goes stale
// when cells change; the spreadsheet application rebuilds it. Returns
// whether there was one. Only a part that is declared a calculation chain
// and that nothing else refers to goes: a relationship of that type that
// points at another part is left as it is.
Expected<bool, WorkbookError> RemoveCalcChain(Package& package, const std::string& workbookPart) {
    const std::string relsPart = Package::RelationshipsPart(workbookPart);
    auto relationships = package.Relationships(workbookPart);
    if (!relationships)
        return relationships.error();
    std::string chainPart, chainId;
    for (const auto& relationship : *relationships)
        if (detail::HasType(relationship, "/calcChain") && !relationship.external) {
            chainPart = relationship.target;
            chainId = relationship.id;
        }
    if (chainId.empty())
        return false;

    auto types = package.ReadXml("[Content_Types].xml");
    if (!types)
        return types.error();
    // The package's own bookkeeping is never a calculation chain, whatever
    // a content type claims.
    const bool bookkeeping = detail::EqualsIgnoringCase(chainPart, "[Content_Types].xml") ||
                             chainPart.find("_rels/") != std::string::npos;
    if (bookkeeping || !package.Has(chainPart) || !IsCalcChain(*types, chainPart) ||
        detail::EqualsIgnoringCase(chainPart, workbookPart))
        return false;
    auto elsewhere = ReferredToElsewhere(package, chainPart, workbookPart, chainId);
    if (!elsewhere)
        return elsewhere.error();
    if (*elsewhere)
        return false;

    auto rels = package.ReadXml(relsPart);
    if (!rels)
        return rels.error();
    for (auto node : Children(rels->root(), "Relationship"))
        if (chainId == node.attribute("Id").value())
            rels->root().remove_child(node);
    if (auto error = package.Replace(relsPart, rels->Serialize()))
        return *error;

    bool typesChanged = false;
    for (auto node : Children(types->root(), "Override")) {
        if (detail::EqualsIgnoringCase(WithoutLeadingSlash(node.attribute("PartName").value()),
                                       chainPart)) {
            types->root().remove_child(node);
            typesChanged = true;
        }
    }
    if (typesChanged)
        if (auto error = package.Replace("[Content_Types].xml", types->Serialize()))
            return *error;
    if (auto error = package.Remove(chainPart))
        return *error;
    return true;
}

// Asks the spreadsheet application to recompute every formula on load: the
// cached results of formulas that use the edited cells are stale.
std::optional<WorkbookError> RequestFullCalculation(Package& package,
                                                    const std::string& workbookPart) {
    auto xml = package.ReadXml(workbookPart);
    if (!xml)
        return xml.error();
    auto root = xml->root();
    auto calcPr = Child(root, "calcPr");
    if (!calcPr) {
        pugi::xml_node before;
        for (auto name : kAfterCalcPr)
            if ((before = Child(root, name)))
                break;
        const std::string name = std::string(detail::Prefix(root)) + "calcPr";
        calcPr = before ? root.insert_child_before(name.c_str(), before)
                        : root.append_child(name.c_str());
    }
    auto attribute = calcPr.attribute("fullCalcOnLoad") ? calcPr.attribute("fullCalcOnLoad")
                                                        : calcPr.append_attribute("fullCalcOnLoad");
    attribute.set_value("1");
    return package.Replace(workbookPart, xml->Serialize());
}

} // namespace

std::optional<WorkbookError> Workbook::Close(bool saveChanges) {
    if (!isOpen())
        return Closed();
    Package& package = *impl_->package;

    std::vector<Worksheet*> edited;
    bool formulas = false;
    for (const auto& [part, sheet] : impl_->loaded)
        if (sheet->impl_->modified) {
            edited.push_back(sheet.get());
            formulas = formulas || sheet->impl_->hasFormulas;
        }
    if (!saveChanges || edited.empty()) {
        package.Discard();
        return std::nullopt;
    }
    if (impl_->readOnly) {
        package.Discard();
        return package.Fail("was opened for reading only: the changes were not saved.");
    }

    const auto save = [&]() -> std::optional<WorkbookError> {
        for (Worksheet* sheet : edited)
            if (auto error = sheet->CheckFormulas())
                return error;
        for (Worksheet* sheet : edited) {
            sheet->impl_->UpdateDimension();
            if (auto error = package.Replace(sheet->impl_->part, sheet->impl_->xml.Serialize()))
                return error;
        }
        if (auto error = detail::RewriteChartCaches(package, edited))
            return error;
        auto hadChain = RemoveCalcChain(package, impl_->workbookPart);
        if (!hadChain)
            return hadChain.error();
        if (formulas || *hadChain)
            if (auto error = RequestFullCalculation(package, impl_->workbookPart))
                return error;
        return package.Commit();
    };
    auto error = detail::Guarded(path(), save);
    package.Discard();
    return error;
}

} // namespace termiva::files
