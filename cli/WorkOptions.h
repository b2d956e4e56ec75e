// --reference, --allow-expired-reference and --ambient of adjust,
// initialise and batch: the reference instruments in use and the ambient
// conditions, checked against the journal's register before any logger is
// touched, and recorded in every journal row the command writes.
#pragma once

#include <optional>
#include <string>

#include "cli/CommandParser.h"
#include "journal/WorkConditions.h"

namespace tb::cli {

void AddWorkOptions(CommandParser& parser);

// The options' choice, checked; nothing after the error was reported (exit
// code RefusedInput for an unknown, retired or expired reference and for
// ambient values out of range).
std::optional<journal::WorkSelection> WorkSelectionOf(const CommandParser& parser,
                                                      Terminal& terminal, int& exit);

// A batch row's references ("A;B") and ambient ("T,RH") over the options'
// choice; the reason when they are refused, else empty.
std::string RowSelection(const std::string& references, const std::string& ambient,
                         bool allowExpired, journal::WorkSelection& selection);

}  // namespace tb::cli
