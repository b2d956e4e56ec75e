// What the journal and certificate commands share: the journal they work on
// (the configured one, or --sqlite FILE / --postgresql OPTIONS), the serial
// numbers, models and days they are asked for, and how they end.
#pragma once

#include <QDate>
#include <QJsonObject>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/ExitCode.h"
#include "cli/ModelNames.h"
#include "cli/Terminal.h"
#include "journal/JournalError.h"
#include "journal/JournalLocation.h"
#include "journal/JournalStore.h"

namespace tb::cli {

class CommandParser;

// --sqlite FILE and --postgresql OPTIONS: another journal than the settings name.
void AddJournalOptions(CommandParser& parser);

// The journal the options name, else the one the settings name (as the
// window opens it); nothing after the error was reported (both options:
// exit code Usage).
std::optional<journal::JournalLocation> JournalLocationOf(const CommandParser& parser,
                                                          Terminal& terminal, int& exit);

// That journal opened; nothing after the error was reported (exit code
// Failure when it cannot be opened).
std::unique_ptr<journal::JournalStore> OpenJournalOf(const CommandParser& parser,
                                                     Terminal& terminal, int& exit);

// Says a journal's error on the error stream; returns exit code Failure.
int ReportJournalError(const journal::JournalError& error, Terminal& terminal);

// A serial number as the journal stores it: eight upper-case hexadecimal
// digits when the text is one, else the text as typed.
std::string JournalSerial(const std::string& text);

// YYYY-MM-DD; nothing after the error was reported (exit code RefusedInput).
std::optional<QDate> ParseDay(const std::string& text, Terminal& terminal, int& exit);

// Ends a journal or certificate command: the message on the output (done)
// or the error stream; with --json one object {command, result, exitCode,
// message, ...details}. Returns the exit code.
int FinishJournalCommand(std::string_view command, ExitCode code, const std::string& message,
                         bool json, Terminal& terminal, const QJsonObject& details = {});

}  // namespace tb::cli
