// Reading the command line's values: serial numbers, COM numbers,
// channels, BEFORE:AFTER points and the temperature unit. Each returns
// nothing for text it does not accept; the caller reports it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandValues.h"

namespace tb::cli {

// Up to eight hexadecimal digits, with or without "0x".
std::optional<uint32_t> ParseSerial(std::string_view text);
// 1 to 256, with or without "COM".
std::optional<int> ParseComNumber(std::string_view text);
// A logger as a batch file's serial column names it: "COM5" or a serial
// number; empty text names none.
std::optional<LoggerChoice> ParseLoggerName(std::string_view text);
// A positive channel number.
std::optional<int> ParseChannel(std::string_view text);
// "BEFORE:AFTER"; the readings themselves are the page's to judge.
std::optional<Reading> ParsePoint(std::string_view text);
// "C" or "F" (either case): 0 or 1.
std::optional<int> ParseUnit(std::string_view text);

}  // namespace tb::cli
