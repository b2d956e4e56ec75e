// trimbench-sim's console input is user text: cut it into lines and parse
// each; a command the parser accepts must carry values in range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sim/main/ConsoleCommand.h"
#include "sim/main/ConsoleLines.h"

using namespace tb::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConsoleLines lines;
    for (const auto& line :
         lines.Feed(std::string_view(reinterpret_cast<const char*>(data), size))) {
        ConsoleCommand command = ParseConsoleCommand(line);
        bool needsPort = command.kind == ConsoleCommand::Kind::Arm ||
                         command.kind == ConsoleCommand::Kind::Busy ||
                         command.kind == ConsoleCommand::Kind::Clear ||
                         command.kind == ConsoleCommand::Kind::Unplug ||
                         command.kind == ConsoleCommand::Kind::Replug;
        if (needsPort && (command.com < 1 || command.com > 256)) std::abort();
        if (command.kind == ConsoleCommand::Kind::Arm &&
            (command.fault.count == 0 || command.fault.ms < 0 || command.fault.ms > 600000))
            std::abort();
        if (command.kind == ConsoleCommand::Kind::Invalid && command.error.empty()) std::abort();
    }
    return 0;
}
