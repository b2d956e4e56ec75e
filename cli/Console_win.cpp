#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/Console.h"

namespace tb::cli {

// _isatty is true for any character device, the NUL device too (`2>NUL`):
// only a handle the console answers for is a terminal.
bool ErrorStreamIsTerminal() {
    if (_isatty(_fileno(stderr)) == 0) return false;
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// Every Windows session has its desktop: the windows platform draws.
void DrawOffscreenWithoutDisplay() {}

}  // namespace tb::cli
