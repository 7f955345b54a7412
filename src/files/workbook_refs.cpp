// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/workbook_refs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace termiva::files::detail {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool IsHex(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "$B$4" at the front of `text`: consumes it and returns the cell.
std::optional<CellRef> TakeCell(std::string_view& text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$')
        ++i;
    int column = 0;
    const std::size_t lettersBegin = i;
    while (i < text.size() && IsLetter(text[i]) && i - lettersBegin < 3) {
        column = column * 26 + (Upper(text[i]) - 'A' + 1);
        ++i;
    }
    if (i == lettersBegin)
        return std::nullopt;
    if (i < text.size() && text[i] == '$')
        ++i;
    int row = 0;
    const std::size_t digitsBegin = i;
    while (i < text.size() && IsDigit(text[i]) && i - digitsBegin < 7) {
        row = row * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digitsBegin || (i < text.size() && (IsDigit(text[i]) || IsLetter(text[i]))))
        return std::nullopt;
    if (row < 1 || row > kMaxRow || column < 1 || column > kMaxColumn)
        return std::nullopt;
    text.remove_prefix(i);
    return CellRef{row, column};
}

// "Sheet1" or "'My ''own'' sheet'" before the '!'.
std::optional<std::string> TakeSheetName(std::string_view& text) {
    std::string name;
    if (!text.empty() && text.front() == '\'') {
        std::size_t i = 1;
        for (;;) {
            if (i >= text.size())
                return std::nullopt;
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    name += '\'';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            name += text[i++];
        }
        text.remove_prefix(i);
    } else {
        const std::size_t end = text.find('!');
        if (end == std::string_view::npos)
            return std::nullopt;
        name = std::string(text.substr(0, end));
        text.remove_prefix(end);
    }
    if (name.empty() || text.empty() || text.front() != '!' || name.front() == '[')
        return std::nullopt;
    text.remove_prefix(1);
    return name;
}

} // namespace

std::optional<CellRef> ParseCellAddress(std::string_view address) {
    auto cell = TakeCell(address);
    if (!cell || !address.empty())
        return std::nullopt;
    return cell;
}

std::string CellAddress(CellRef cell) {
    std::string letters;
    for (int c = cell.column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(cell.row);
}

long long Area::cellCount() const {
    return static_cast<long long>(last.row - first.row + 1) * (last.column - first.column + 1);
}

std::optional<std::vector<Area>> ParseRangeFormula(std::string_view formula) {
    if (!formula.empty() && formula.front() == '=')
        formula.remove_prefix(1);
    if (formula.size() >= 2 && formula.front() == '(' && formula.back() == ')')
        formula = formula.substr(1, formula.size() - 2);

    std::vector<Area> areas;
    for (;;) {
        auto sheet = TakeSheetName(formula);
        if (!sheet)
            return std::nullopt;
        auto first = TakeCell(formula);
        if (!first)
            return std::nullopt;
        CellRef last = *first;
        if (!formula.empty() && formula.front() == ':') {
            formula.remove_prefix(1);
            auto second = TakeCell(formula);
            if (!second)
                return std::nullopt;
            last = *second;
        }
        Area area{std::move(*sheet),
                  {std::min(first->row, last.row), std::min(first->column, last.column)},
                  {std::max(first->row, last.row), std::max(first->column, last.column)}};
        areas.push_back(std::move(area));
        if (formula.empty())
            return areas;
        if (formula.front() != ',')
            return std::nullopt;
        formula.remove_prefix(1);
    }
}

std::vector<CellRef> CellsOf(const std::vector<Area>& areas) {
    std::vector<CellRef> cells;
    for (const Area& area : areas)
        for (int r = area.first.row; r <= area.last.row; ++r)
            for (int c = area.first.column; c <= area.last.column; ++c)
                cells.push_back({r, c});
    return cells;
}

std::string NumberText(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::optional<double> ParseNumberText(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string EncodeCellText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool control = c < 0x20 && c != '\t' && c != '\n' && c != '\r';
        // A literal "_x0041_" would read back as "A": its underscore is escaped.
        const bool lookAlike = c == '_' && i + 6 < text.size() && text[i + 1] == 'x' &&
                               IsHex(text[i + 2]) && IsHex(text[i + 3]) && IsHex(text[i + 4]) &&
                               IsHex(text[i + 5]) && text[i + 6] == '_';
        if (control || lookAlike) {
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
            out += '_';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string DecodeCellText(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && IsHex(text[i + 2]) &&
            IsHex(text[i + 3]) && IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_') {
            unsigned code = 0;
            std::from_chars(text.data() + i + 2, text.data() + i + 6, code, 16);
            // Encode the code unit as UTF-8 (surrogates come out as U+FFFD).
            if (code >= 0xD800 && code <= 0xDFFF)
                code = 0xFFFD;
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
            i += 7;
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

} // namespace termiva::files::detail
