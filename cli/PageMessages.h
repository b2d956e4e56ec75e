// The page messages that decide how a command ends.
//
// Pages report every outcome in a message box; the command line turns the
// boxes it was shown into an exit code. A box names its numbered string in
// the request (MessageBoxRequest::stringId), whatever its text became.
#pragma once

#include <optional>
#include <string>

#include "cli/ExitCode.h"

namespace tb::cli {

// What an OK box of this message means for the exit code: Done for the
// reports of success, RefusedInput, Limit or Communication for the
// failures; nothing for a message that decides no outcome.
std::optional<ExitCode> OutcomeOfMessage(int id);

}  // namespace tb::cli
