// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc.h"
#include "report/case_report.h"
#include "report/report_painter.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <QGuiApplication>
#include <QLocale>

namespace {

// The folder of this program, where its workbook template lies.
std::string ProgramFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        program = fs::absolute(argv0 ? argv0 : "", error);
    return error ? std::string() : program.parent_path().string();
}

// --report: the report of the loaded file, painted as the desktop program
// paints it.
std::optional<std::string> WriteReport(const termiva::cases::ScreenTexts& screen,
                                       const std::string& inputFile,
                                       const termiva::cli::ReportRequest& request,
                                       const std::string& separator) {
    termiva::report::ReportContext context;
    context.dateTime = termiva::report::NowText();
    context.fileName = std::filesystem::path(inputFile).filename().string();
    context.project = request.project;
    context.preparedBy = request.preparedBy;
    context.decimalSeparator = separator;
    const auto document = termiva::report::CaseReport(screen, context);
    if (!document) {
        std::string message = "The report of \"" + inputFile + "\" could not be made:";
        for (const std::string& error : document.error())
            message += " " + error;
        return message;
    }
    if (auto error =
            termiva::report::WriteReportPdf(*document, QString::fromStdString(request.path)))
        return error->toStdString();
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string separator = QLocale::system().decimalPoint().toStdString();

    // Only a report needs Qt's painting; it never needs a display.
    int qtArgc = 1; // Qt reads none of the program's arguments
    std::unique_ptr<QGuiApplication> painting;
    const bool report = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg.rfind("--report", 0) == 0;
    });
    if (report) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The program reports its own failures; Qt's notes about the
        // environment (no runtime folder, for one) are not for its users.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << "termiva-calc: " << text.toStdString() << "\n";
        });
        painting = std::make_unique<QGuiApplication>(qtArgc, argv);
    }
    const termiva::cli::ReportWriter writer = [&separator](const auto& screen, const auto& file,
                                                           const auto& request) {
        return WriteReport(screen, file, request, separator);
    };
    return termiva::cli::Run(args, std::cout, std::cerr, separator,
                             ProgramFolder(argc > 0 ? argv[0] : nullptr),
                             report ? writer : termiva::cli::ReportWriter());
}
