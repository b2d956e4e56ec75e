// The values a command names on its command line or in a batch row: which
// logger, and one BEFORE:AFTER point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tb::cli {

// Which logger a command names: by serial number, by COM number, or neither
// (then the only attached logger of the model).
struct LoggerChoice {
    std::optional<uint32_t> serial;
    std::optional<int> com;
    // The input kind of a multi-input logger; found from the logger's
    // settings when the command names none.
    std::optional<int> inputKind;
};

// One point of an adjustment: what the logger shows and what it should show,
// as typed (the page judges them).
struct Reading {
    std::string before;
    std::string after;
};

}  // namespace tb::cli
