// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook_package.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>
#include <zip.h>

namespace termiva::files::detail {

namespace fs = std::filesystem;

namespace {

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

std::string ZipMessage(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string message = zip_error_strerror(&error);
    zip_error_fini(&error);
    return message;
}

std::string ZipMessage(zip_error_t* error) {
    return zip_error_strerror(error);
}

bool StartsWithZipSignature(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, 4) && std::memcmp(magic, "PK\x03\x04", 4) == 0;
}

std::string Folder(std::string_view part) {
    const auto slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// "../drawings/drawing1.xml" seen from "xl/chartsheets/" -> "xl/drawings/drawing1.xml".
std::string ResolveTarget(std::string_view sourceFolder, std::string_view target) {
    std::string joined = !target.empty() && target.front() == '/'
                             ? std::string(target.substr(1))
                             : std::string(sourceFolder) + std::string(target);
    std::vector<std::string> segments;
    std::size_t begin = 0;
    while (begin <= joined.size()) {
        auto end = joined.find('/', begin);
        if (end == std::string::npos)
            end = joined.size();
        const std::string segment = joined.substr(begin, end - begin);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        begin = end + 1;
    }
    std::string resolved;
    for (const auto& segment : segments) {
        if (!resolved.empty())
            resolved += '/';
        resolved += segment;
    }
    return resolved;
}

} // namespace

Expected<XmlPart, std::string> XmlPart::Parse(std::string bytes) {
    XmlPart part;
    std::size_t rootStart = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        rootStart = 3;
    if (bytes.compare(rootStart, 5, "<?xml") == 0) {
        const auto end = bytes.find("?>", rootStart);
        if (end != std::string::npos) {
            rootStart = end + 2;
            while (rootStart < bytes.size() && std::strchr(" \t\r\n", bytes[rootStart]) &&
                   bytes[rootStart] != '\0')
                ++rootStart;
        }
    }
    part.prologue_ = bytes.substr(0, rootStart);
    // The string lives on the heap so that moving the part keeps the bytes
    // pugixml points into where they are.
    part.buffer_ = std::make_unique<std::string>(std::move(bytes));
    part.doc_ = std::make_unique<pugi::xml_document>();
    // The declaration stays in the prologue, byte for byte; a text that is
    // nothing but blanks (" " in a cell) must survive.
    std::string& buffer = *part.buffer_;
    const auto result = part.doc_->load_buffer_inplace(
        buffer.data(), buffer.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!result)
        return std::string(result.description()) + " at byte " + std::to_string(result.offset);
    if (!part.doc_->document_element())
        return std::string("no root element");
    return part;
}

std::string Utf8Prologue(std::string_view prologue) {
    std::string out(prologue);
    const auto declaration = out.find("<?xml");
    if (declaration == std::string::npos)
        return out;
    const auto end = out.find("?>", declaration);
    auto name = out.find("encoding", declaration);
    if (end == std::string::npos || name == std::string::npos || name > end)
        return out;
    auto quote = out.find_first_of("\"'", name);
    if (quote == std::string::npos || quote > end)
        return out;
    const auto close = out.find(out[quote], quote + 1);
    if (close == std::string::npos || close > end)
        return out;
    std::string value = out.substr(quote + 1, close - quote - 1);
    for (char& c : value)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (value == "UTF-8")
        return out;
    out.replace(quote + 1, close - quote - 1, "UTF-8");
    return out;
}

std::string XmlPart::Serialize() const {
    StringWriter writer;
    writer.out = Utf8Prologue(prologue_);
    doc_->save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(writer.out);
}

void ForEachElement(pugi::xml_node parent, const std::function<Visit(pugi::xml_node)>& visitor) {
    pugi::xml_node node = parent.first_child();
    while (node) {
        Visit visit = Visit::Skip;
        if (node.type() == pugi::node_element) {
            visit = visitor(node);
            if (visit == Visit::Stop)
                return;
        }
        if (visit == Visit::Enter && node.first_child()) {
            node = node.first_child();
            continue;
        }
        // Next in document order: a sibling, else the sibling of the nearest
        // ancestor that has one, never climbing above `parent`.
        while (node != parent && !node.next_sibling())
            node = node.parent();
        if (node == parent)
            return;
        node = node.next_sibling();
    }
}

std::string_view LocalName(pugi::xml_node node) {
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view Prefix(pugi::xml_node node) {
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon + 1);
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view localName) {
    for (auto child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == localName)
            return child;
    return {};
}

std::vector<pugi::xml_node> Children(pugi::xml_node parent, std::string_view localName) {
    std::vector<pugi::xml_node> found;
    for (auto child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && LocalName(child) == localName)
            found.push_back(child);
    return found;
}

pugi::xml_node Descendant(pugi::xml_node parent, std::string_view localName) {
    pugi::xml_node found;
    ForEachElement(parent, [&](pugi::xml_node node) {
        if (LocalName(node) != localName)
            return Visit::Enter;
        found = node;
        return Visit::Stop;
    });
    return found;
}

std::string_view RelationshipId(pugi::xml_node node, std::string_view localName) {
    for (auto attribute = node.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        std::string_view name = attribute.name();
        const auto colon = name.find(':');
        if (colon != std::string_view::npos && name.substr(colon + 1) == localName &&
            name.substr(0, colon) != "xmlns")
            return attribute.value();
    }
    return {};
}

std::string TextOf(pugi::xml_node node, std::string_view localName) {
    std::string text;
    ForEachElement(node, [&](pugi::xml_node element) {
        const auto name = LocalName(element);
        if (name == localName) {
            text += element.text().get();
            return Visit::Skip;
        }
        // Phonetic guides are not part of the text.
        return name == "rPh" ? Visit::Skip : Visit::Enter;
    });
    return text;
}

bool HasType(const Relationship& relationship, std::string_view lastSegment) {
    std::string_view type = relationship.type;
    return type.size() >= lastSegment.size() &&
           type.substr(type.size() - lastSegment.size()) == lastSegment;
}

Expected<std::unique_ptr<Package>, WorkbookError> Package::Open(const std::string& path,
                                                                bool readOnly) {
    const auto fail = [&](std::string_view what) {
        return WorkbookError{"The workbook \"" + path + "\" " + std::string(what)};
    };
    std::error_code error;
    const auto status = fs::status(path, error);
    if (!fs::exists(status))
        return fail("does not exist.");
    if (fs::is_directory(status))
        return fail("is a folder, not a workbook file.");
    if (!fs::is_regular_file(status))
        return fail("is not a regular file.");

    // Saving replaces the file through a rename in its folder: the real file
    // behind a link is the one to replace.
    std::string real = fs::canonical(path, error).string();
    if (error)
        return fail("cannot be found: " + error.message() + ".");
    if (!readOnly) {
        if (::access(real.c_str(), W_OK) != 0)
            return fail("is read-only: it cannot be saved.");
        const std::string folder = fs::path(real).parent_path().string();
        if (::access(folder.c_str(), W_OK | X_OK) != 0)
            return fail("cannot be saved: its folder \"" + folder + "\" is read-only.");
    }

    int code = 0;
    ::zip* archive = zip_open(real.c_str(), readOnly ? ZIP_RDONLY : 0, &code);
    if (!archive) {
        switch (code) {
        case ZIP_ER_NOZIP:
            if (StartsWithZipSignature(real))
                return fail("is damaged: its zip directory is missing or cut short.");
            return fail("is not a workbook (.xlsx): it is not a zip package.");
        case ZIP_ER_INCONS:
            return fail("is damaged: its zip directory is inconsistent.");
        case ZIP_ER_NOENT:
            return fail("does not exist.");
        case ZIP_ER_OPEN:
        case ZIP_ER_READ:
            return fail("cannot be read: " + ZipMessage(code) + ".");
        default:
            return fail("cannot be opened: " + ZipMessage(code) + ".");
        }
    }
    return std::unique_ptr<Package>(new Package(path, archive));
}

Package::~Package() {
    Discard();
}

void Package::Discard() {
    if (archive_)
        zip_discard(archive_);
    archive_ = nullptr;
}

WorkbookError Package::Fail(std::string_view what) const {
    return WorkbookError{"The workbook \"" + path_ + "\" " + std::string(what)};
}

std::optional<long long> Package::Locate(std::string_view part) const {
    if (!archive_)
        return std::nullopt;
    const std::string name(part);
    auto index = zip_name_locate(archive_, name.c_str(), 0);
    if (index < 0) // part names are case-insensitive
        index = zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::nullopt;
    return index;
}

bool Package::Has(std::string_view part) const {
    return Locate(part).has_value();
}

Expected<std::string, WorkbookError> Package::Read(std::string_view part) const {
    const auto index = Locate(part);
    if (!index)
        return Fail("is damaged: its part " + std::string(part) + " is missing.");
    const auto entry = static_cast<zip_uint64_t>(*index);
    const auto tooLarge = [&] {
        return Fail("is damaged: its part " + std::string(part) + " unpacks to more than " +
                    std::to_string(kMaxWorkbookPartSize >> 20) + " MiB.");
    };
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, entry, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size > kMaxWorkbookPartSize)
        return tooLarge();

    zip_file_t* file = zip_fopen_index(archive_, entry, 0);
    if (!file)
        return Fail("is damaged: its part " + std::string(part) +
                    " cannot be read: " + ZipMessage(zip_get_error(archive_)) + ".");
    // The size in the zip directory is the writer's claim: the bound holds
    // whatever the entry really inflates to.
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            std::string message = ZipMessage(zip_file_get_error(file));
            zip_fclose(file);
            return Fail("is damaged: its part " + std::string(part) +
                        " cannot be read: " + message + ".");
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        inflatedBytes_ += static_cast<std::size_t>(n);
        if (bytes.size() > kMaxWorkbookPartSize) {
            zip_fclose(file);
            return tooLarge();
        }
        if (inflatedBytes_ > kMaxWorkbookInflatedBytes) {
            zip_fclose(file);
            return Fail("is too large: its parts unpack to more than " +
                        std::to_string(kMaxWorkbookInflatedBytes >> 20) + " MiB together.");
        }
    }
    zip_fclose(file);
    return bytes;
}

Expected<XmlPart, WorkbookError> Package::ReadXml(std::string_view part) const {
    auto bytes = Read(part);
    if (!bytes)
        return bytes.error();
    // What parsing will allocate, judged from the markup before it is parsed:
    // at most an element and a text per opening '<', an attribute per '='.
    std::size_t nodes = 0;
    const std::string& markup = bytes.value();
    for (std::size_t i = 0; i < markup.size(); ++i)
        if (markup[i] == '<')
            nodes += i + 1 < markup.size() && markup[i + 1] == '/' ? 0 : 2;
        else if (markup[i] == '=')
            ++nodes;
    xmlNodes_ += nodes;
    if (xmlNodes_ > kMaxWorkbookXmlNodes)
        return Fail("is too large: its parts hold more than " +
                    std::to_string(kMaxWorkbookXmlNodes) + " XML elements and attributes.");
    auto xml = XmlPart::Parse(std::move(bytes).value());
    if (!xml)
        return Fail("is damaged: its part " + std::string(part) + " is not valid XML (" +
                    xml.error() + ").");
    return std::move(xml).value();
}

std::string Package::RelationshipsPart(std::string_view sourcePart) {
    const std::string folder = Folder(sourcePart);
    return folder + "_rels/" + std::string(sourcePart.substr(folder.size())) + ".rels";
}

Expected<std::vector<Relationship>, WorkbookError>
Package::Relationships(std::string_view sourcePart) const {
    std::vector<Relationship> relationships;
    const std::string relsPart = RelationshipsPart(sourcePart);
    if (!Has(relsPart))
        return relationships;
    auto xml = ReadXml(relsPart);
    if (!xml)
        return xml.error();
    const std::string folder = Folder(sourcePart);
    for (auto node : Children(xml->root(), "Relationship")) {
        Relationship relationship;
        relationship.id = node.attribute("Id").value();
        relationship.type = node.attribute("Type").value();
        relationship.external =
            std::string_view(node.attribute("TargetMode").value()) == "External";
        if (!relationship.external)
            relationship.target = ResolveTarget(folder, node.attribute("Target").value());
        relationships.push_back(std::move(relationship));
    }
    return relationships;
}

Expected<std::vector<std::string>, WorkbookError>
Package::PartsOfType(std::string_view contentType) const {
    auto xml = ReadXml("[Content_Types].xml");
    if (!xml)
        return xml.error();
    std::vector<std::string> parts;
    for (auto node : Children(xml->root(), "Override"))
        if (node.attribute("ContentType").value() == contentType)
            parts.push_back(ResolveTarget("", node.attribute("PartName").value()));
    return parts;
}

std::optional<WorkbookError> Package::Replace(std::string_view part, const std::string& bytes) {
    const auto index = Locate(part);
    if (!index)
        return Fail("is damaged: its part " + std::string(part) + " is missing.");
    // libzip frees the copy once the archive is written or discarded.
    void* copy = std::malloc(bytes.empty() ? 1 : bytes.size());
    if (!copy)
        return Fail("cannot be saved: out of memory.");
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result): bytes of a part, not a C string
    std::memcpy(copy, bytes.data(), bytes.size());
    zip_source_t* source = zip_source_buffer(archive_, copy, bytes.size(), 1);
    if (!source) {
        std::free(copy);
        return Fail("cannot be saved: " + ZipMessage(zip_get_error(archive_)) + ".");
    }
    // NOLINTNEXTLINE(clang-analyzer-unix.Malloc): source owns copy now (freep = 1)
    if (zip_file_replace(archive_, static_cast<zip_uint64_t>(*index), source, 0) != 0) {
        zip_source_free(source);
        return Fail("cannot be saved: " + ZipMessage(zip_get_error(archive_)) + ".");
    }
    return std::nullopt;
}

std::optional<WorkbookError> Package::Remove(std::string_view part) {
    const auto index = Locate(part);
    if (!index)
        return std::nullopt;
    if (zip_delete(archive_, static_cast<zip_uint64_t>(*index)) != 0)
        return Fail("cannot be saved: " + ZipMessage(zip_get_error(archive_)) + ".");
    return std::nullopt;
}

std::vector<std::string> Package::PartNames() const {
    std::vector<std::string> names;
    if (!archive_)
        return names;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
            names.emplace_back(name);
    return names;
}

std::optional<WorkbookError> Package::ChargeCells(long long count, std::size_t textBytes) const {
    cellsRead_ += count;
    cellTextBytes_ += textBytes;
    if (cellsRead_ > kMaxWorkbookCells)
        return Fail("is too large: its charts refer to more than " +
                    std::to_string(kMaxWorkbookCells) + " cells.");
    if (cellTextBytes_ > kMaxWorkbookCellText)
        return Fail("is too large: the cells its charts refer to hold more than " +
                    std::to_string(kMaxWorkbookCellText >> 20) + " MiB of text.");
    return std::nullopt;
}

std::optional<WorkbookError> Package::Commit() {
    if (!archive_)
        return Fail("is not open.");
    // zip_close writes a temporary file in the same folder and renames it over
    // the package only once everything was written.
    if (zip_close(archive_) != 0) {
        std::string message = ZipMessage(zip_get_error(archive_));
        Discard();
        return Fail("could not be saved (" + message + "); the file was left as it was.");
    }
    archive_ = nullptr;
    return std::nullopt;
}

} // namespace termiva::files::detail
