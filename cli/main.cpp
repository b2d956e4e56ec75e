// trimbench: the adjustment pages on the command line.
#include <unistd.h>

#include <QCoreApplication>
#include <iostream>

#include "cli/Trimbench.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    tb::cli::Terminal terminal{std::cout, std::cerr, std::cin, isatty(STDERR_FILENO) != 0};
    return tb::cli::RunTrimbench(QCoreApplication::arguments(), terminal);
}
