// trimbench: the adjustment pages on the command line.
#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#ifdef TB_CLI_CERTIFICATE
#include <QGuiApplication>
#endif

#include "services/ResourceLibrary.h"
#include "cli/Console.h"
#include "cli/Trimbench.h"

namespace {

// Certificates are drawn with the GUI module's PDF writer, which needs a
// GUI application; on a bench without a display it draws off-screen.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
#ifdef TB_CLI_CERTIFICATE
    if (argc > 1 && std::strcmp(argv[1], "certificate") == 0) {
        tb::cli::DrawOffscreenWithoutDisplay();
        return std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    // The texts of the chosen interface language, as the window has them.
    const tb::services::ResourceLibrary texts(tb::services::DefaultResourceLibraryPath());
    const tb::services::ScopedResourceTexts textsInForce(texts);
    tb::cli::Terminal terminal{std::cout, std::cerr, std::cin, tb::cli::ErrorStreamIsTerminal()};
    return tb::cli::RunTrimbench(QCoreApplication::arguments(), terminal);
}
