// The trimbench command line: subcommands list, read, adjust, initialise
// and batch over the pages of the window. Returns the exit code (ExitCode).
#pragma once

#include <QStringList>

#include "cli/Terminal.h"

namespace tb::cli {

// arguments[0] is the program name, arguments[1] the subcommand.
int RunTrimbench(const QStringList& arguments, Terminal& terminal);

}  // namespace tb::cli
