// trimbench: the adjustment pages on the command line.
#include <unistd.h>

#include <QCoreApplication>
#include <iostream>

#include "services/ResourceLibrary.h"
#include "cli/Trimbench.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // The texts of the chosen interface language, as the window has them.
    const tb::services::ResourceLibrary texts(tb::services::DefaultResourceLibraryPath());
    tb::services::InstallResourceTexts(texts);
    tb::cli::Terminal terminal{std::cout, std::cerr, std::cin, isatty(STDERR_FILENO) != 0};
    const int exit = tb::cli::RunTrimbench(QCoreApplication::arguments(), terminal);
    tb::services::RemoveResourceTexts();
    return exit;
}
