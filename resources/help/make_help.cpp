// SPDX-License-Identifier: GPL-3.0-or-later
// Fills a help page's placeholders from the program's own texts and numbers,
// so that the help cannot drift from what the screens and messages say:
//   make_help PAGE OUTPUT VERSION
// @PROJECT_VERSION@          the program's version
// @DENSITY_DATA_LIMIT@       the air density's limit, °C ("550")
// @PROPERTY_DATA_LIMIT@      the other air properties' limit, °C ("600")
// @BEYOND_AIR_DATA_MESSAGE@  the message of a calculation beyond those limits
// @TIP KEY@                  a field's tooltip, KEY as the caption shows it ("(T1)")
// An unknown placeholder or tip fails the build rather than leave a gap.

#include "cases/field_tips.h"
#include "engine/value_flags.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::string Html(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

// A placeholder as one line: a page may wrap it.
std::string OneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

// The text for placeholder `name`; empty when there is none.
std::string Fill(std::string_view name, std::string_view version) {
    using namespace termiva;
    if (name == "PROJECT_VERSION")
        return std::string(version);
    if (name == "DENSITY_DATA_LIMIT")
        return DegreesText(kDensityDataLimit);
    if (name == "PROPERTY_DATA_LIMIT")
        return DegreesText(kPropertyDataLimit);
    if (name == "BEYOND_AIR_DATA_MESSAGE")
        return Html(kBeyondAirDataMessage);
    if (name.substr(0, 4) == "TIP ")
        return Html(cases::FieldTipOfCaption(name.substr(4)));
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make_help PAGE OUTPUT VERSION\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream page;
    page << in.rdbuf();
    if (!in) {
        std::cerr << "make_help: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string text = page.str();
    std::string out;
    std::size_t at = 0;
    for (std::size_t open = text.find('@'); open != std::string::npos; open = text.find('@', at)) {
        const std::size_t close = text.find('@', open + 1);
        if (close == std::string::npos)
            break;
        const std::string name = OneLine({text.data() + open + 1, close - open - 1});
        const std::string filled = Fill(name, argv[3]);
        if (filled.empty()) {
            std::cerr << argv[1] << ": nothing to fill in for @" << name << "@\n";
            return 1;
        }
        out.append(text, at, open - at);
        out += filled;
        at = close + 1;
    }
    out.append(text, at);
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out;
    if (!file.flush()) {
        std::cerr << "make_help: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
