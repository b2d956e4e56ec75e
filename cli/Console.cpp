#include "cli/Console.h"

#include <unistd.h>

#include <cstdlib>

namespace tb::cli {

bool ErrorStreamIsTerminal() { return isatty(STDERR_FILENO) != 0; }

void DrawOffscreenWithoutDisplay() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

}  // namespace tb::cli
