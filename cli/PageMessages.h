// The page messages that decide how a command ends.
//
// Pages report every outcome in a message box; the command line turns the
// boxes it was shown into an exit code. A box is recognised by its text,
// which is the text of its numbered string as LoadResString gives it (so a
// resource library's texts are recognised too).
#pragma once

#include <optional>
#include <string>

#include "cli/ExitCode.h"

namespace tb::cli {

// The number of the string whose text this is, among the messages that
// decide an outcome; nothing for any other text.
std::optional<int> OutcomeMessageId(const std::string& text);

// What a message means for the exit code: Done for the reports of success,
// RefusedInput, Limit or Communication for the failures.
ExitCode OutcomeOfMessage(int id);

// The message that reports a logger missing (also shown when it stops
// answering half-way, so the command line looks again before saying which).
inline constexpr int kMsgNotConnected = 1048;

}  // namespace tb::cli
