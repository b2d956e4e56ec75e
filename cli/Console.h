// What trimbench asks of the system about its console: one source per
// operating system.
#pragma once

namespace tb::cli {

// Whether the error stream (where questions are asked) is a terminal.
bool ErrorStreamIsTerminal();

// Certificates are drawn with the GUI module's PDF writer: on a bench
// without a display it draws off-screen.
void DrawOffscreenWithoutDisplay();

}  // namespace tb::cli
