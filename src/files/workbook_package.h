// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The package under a workbook: its zip archive, its XML parts and the
// relationships between them (private to the workbook layer). Part names
// carry no leading slash: "xl/workbook.xml".

#include "files/workbook.h"
#include "support/expected.h"

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace termiva::files::detail {

// An XML part as parsed, with the bytes before its root element (byte order
// mark, XML declaration) kept to be written back unchanged.
class XmlPart {
public:
    // The error is pugixml's description of the fault. The document is parsed
    // in place: it keeps the bytes instead of a second copy of them.
    static Expected<XmlPart, std::string> Parse(std::string bytes);

    pugi::xml_node root() const { return doc_->document_element(); }
    // UTF-8 whatever the part was read as: an encoding declaration is
    // rewritten to say so.
    std::string Serialize() const;

private:
    std::string prologue_;
    std::unique_ptr<std::string> buffer_; // the parsed bytes; pugixml points into them
    std::unique_ptr<pugi::xml_document> doc_;
};

// The XML declaration of `prologue` with its encoding made UTF-8; any other
// byte stays.
std::string Utf8Prologue(std::string_view prologue);

// What a visitor of ForEachElement asks for after seeing an element.
enum class Visit { Enter, Skip, Stop };

// Walks the elements under `parent` depth first, in document order, without
// recursion: a document nested a million deep costs no stack. `visitor`
// decides whether to enter the element's children, skip them, or stop.
void ForEachElement(pugi::xml_node parent, const std::function<Visit(pugi::xml_node)>& visitor);

// Element names compared without their namespace prefix: writers differ in
// the prefixes they use ("c:ser", "x:row", "row").
std::string_view LocalName(pugi::xml_node node);
std::string_view Prefix(pugi::xml_node node); // "c:" or ""
pugi::xml_node Child(pugi::xml_node parent, std::string_view localName);
std::vector<pugi::xml_node> Children(pugi::xml_node parent, std::string_view localName);
// The first descendant (depth first) with that local name.
pugi::xml_node Descendant(pugi::xml_node parent, std::string_view localName);
// The value of a relationship-id attribute ("r:id", "r:embed"...) by local name.
std::string_view RelationshipId(pugi::xml_node node, std::string_view localName = "id");
// All the text of the descendants named `localName` ("t"), in order.
std::string TextOf(pugi::xml_node node, std::string_view localName);

struct Relationship {
    std::string id;
    std::string type;   // full URI; compare with HasType
    std::string target; // resolved part name (empty for external targets)
    bool external = false;
};

// Relationship types are compared by their last segment ("/worksheet") so
// that transitional and strict namespaces both match.
bool HasType(const Relationship& relationship, std::string_view lastSegment);

inline constexpr std::string_view kChartContentType =
    "application/vnd.openxmlformats-officedocument.drawingml.chart+xml";

class Package {
public:
    static Expected<std::unique_ptr<Package>, WorkbookError> Open(const std::string& path,
                                                                  bool readOnly);
    ~Package(); // discards unsaved changes
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const std::string& path() const { return path_; }

    bool Has(std::string_view part) const;
    // Errors: missing part, a broken entry, more than kMaxWorkbookPartSize.
    Expected<std::string, WorkbookError> Read(std::string_view part) const;
    Expected<XmlPart, WorkbookError> ReadXml(std::string_view part) const;

    // The relationships of `sourcePart` ("" for the package itself); none when
    // it has no relationships part.
    Expected<std::vector<Relationship>, WorkbookError>
    Relationships(std::string_view sourcePart) const;
    static std::string RelationshipsPart(std::string_view sourcePart);

    // The parts of a content type, from the overrides of [Content_Types].xml.
    Expected<std::vector<std::string>, WorkbookError>
    PartsOfType(std::string_view contentType) const;

    // Staged until Commit.
    std::optional<WorkbookError> Replace(std::string_view part, const std::string& bytes);
    std::optional<WorkbookError> Remove(std::string_view part);

    // Writes the staged changes into a temporary file beside the package and
    // renames it over the package; on failure the package file is untouched.
    // The package is closed afterwards either way.
    std::optional<WorkbookError> Commit();
    void Discard();
    bool isOpen() const { return archive_ != nullptr; }

    // "The workbook "<path>" " + what: the start of every message.
    WorkbookError Fail(std::string_view what) const;

    // Every part name in the package, in zip order.
    std::vector<std::string> PartNames() const;

    // Counts `count` cells (and `textBytes` of their texts) read for charts
    // and their caches against the workbook's bounds; an error once past them.
    std::optional<WorkbookError> ChargeCells(long long count, std::size_t textBytes = 0) const;

private:
    Package(std::string path, ::zip* archive) : path_(std::move(path)), archive_(archive) {}
    std::optional<long long> Locate(std::string_view part) const;

    std::string path_;
    ::zip* archive_ = nullptr;
    // Work done so far: reading is const, the bounds hold over all of it.
    mutable std::size_t inflatedBytes_ = 0;
    mutable std::size_t xmlNodes_ = 0;
    mutable long long cellsRead_ = 0;
    mutable std::size_t cellTextBytes_ = 0;
};

// Runs `body` and turns an exception (out of memory above all) into the
// error of the workbook at `path`: a hostile file never ends the program.
template <class Body> auto Guarded(const std::string& path, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return WorkbookError{"The workbook \"" + path +
                             "\" could not be handled: there is not enough memory for it."};
    } catch (const std::exception& exception) {
        return WorkbookError{"The workbook \"" + path +
                             "\" could not be handled: " + exception.what() + "."};
    }
}

} // namespace termiva::files::detail
