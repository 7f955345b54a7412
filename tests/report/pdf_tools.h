// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading back a report PDF with poppler's command-line tools, as a user's
// viewer would: its text (pdftotext -layout), its page count (pdfinfo) and
// each page rendered to a picture (pdftoppm).

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::test {

// The output of a shell command; `status` its exit status.
inline std::string RunCommand(const std::string& command, int* status = nullptr) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int result = ::pclose(pipe);
    if (status)
        *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return output;
}

inline std::string Quoted(const std::string& path) {
    std::string quoted = "'";
    for (char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string PdfText(const std::string& path) {
    return RunCommand("pdftotext -layout -enc UTF-8 " + Quoted(path) + " - 2>&1");
}

inline int PdfPages(const std::string& path) {
    const std::string info = RunCommand("pdfinfo " + Quoted(path) + " 2>&1");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// Renders every page into `folder`; returns how many pictures were made, or
// -1 when pdftoppm failed or complained.
inline int RenderPages(const std::string& path, const std::string& folder) {
    int status = 0;
    const std::string messages = RunCommand(
        "pdftoppm -r 60 -png " + Quoted(path) + " " + Quoted(folder + "/page") + " 2>&1", &status);
    if (status != 0 || !messages.empty())
        return -1;
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        pictures += entry.path().extension() == ".png";
    return pictures;
}

// Where the first of `texts` that does not follow the ones before it in
// `haystack` is; empty when they all appear in order.
inline std::string FirstOutOfOrder(std::string_view haystack,
                                   const std::vector<std::string>& texts) {
    std::size_t at = 0;
    for (const std::string& text : texts) {
        const std::size_t found = haystack.find(text, at);
        if (found == std::string_view::npos)
            return text;
        at = found + text.size();
    }
    return {};
}

} // namespace termiva::test
