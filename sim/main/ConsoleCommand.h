// Commands a person types into trimbench-sim's standard input to look at
// the bench or make a device misbehave while it runs:
//
//   dump                                  every device's state
//   busy <COM> on|off                     keep the port busy (held lock)
//   silence <COM> [count]                 do not answer
//   delay <COM> <ms> [count]              answer late
//   split <COM> <bytes> <pause-ms> [count]  answer in two parts
//   short <COM> <bytes> [count]           send only the first bytes
//   garble <COM> <index> <mask> [count]   XOR one byte (index < 0: from the end)
//   clear <COM>                           disarm every fault of the device
//   unplug <COM> [mid]                    pull the device out (mid: as it starts
//                                         its next reply)
//   replug <COM>                          plug it in again under the same number
//   help
//
// count is the number of replies affected (default 1), or "always".
#pragma once

#include <string>
#include <string_view>

#include "sim/core/Bench.h"
#include "sim/core/Faults.h"

namespace tb::sim {

inline constexpr size_t kMaxConsoleLine = 256;

struct ConsoleCommand {
    enum class Kind { Nothing, Help, Dump, Busy, Arm, Clear, Unplug, Replug, Invalid };
    Kind kind = Kind::Nothing;
    int com = 0;
    bool busy = false;
    bool midExchange = false;  // Unplug: at the device's next reply
    Fault fault;
    std::string error;  // Invalid: what is wrong, for the user
};

ConsoleCommand ParseConsoleCommand(std::string_view line);

// Carries the command out on the bench; returns the text to print.
std::string RunConsoleCommand(const ConsoleCommand& command, Bench& bench);

std::string ConsoleHelp();

}  // namespace tb::sim
