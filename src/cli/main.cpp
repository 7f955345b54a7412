#include "cli/calc.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    return termiva::cli::Run(args, std::cout, std::cerr, separator,
                             ProgramFolder(argc > 0 ? argv[0] : nullptr));
}
