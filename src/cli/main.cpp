#include "cli/calc.h"

#include <iostream>
#include <string>
#include <vector>

#include <QLocale>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    return termiva::cli::Run(args, std::cout, std::cerr, separator);
}
