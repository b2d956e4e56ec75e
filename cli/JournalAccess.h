// What the journal and certificate commands share: the configured journal,
// and the serial numbers, models and days they are asked for.
#pragma once

#include <QDate>
#include <memory>
#include <optional>
#include <string>

#include "cli/ModelTable.h"
#include "cli/Terminal.h"
#include "journal/JournalStore.h"

namespace tb::cli {

// The journal the settings name (as the window opens it); nothing after the
// error was reported (exit code Failure).
std::unique_ptr<journal::JournalStore> OpenConfiguredJournal(Terminal& terminal, int& exit);

// A serial number as the journal stores it: eight upper-case hexadecimal
// digits when the text is one, else the text as typed.
std::string JournalSerial(const std::string& text);

// The page that serves the model, as the journal names it ("820/821"):
// `journal --model` lists the rows of every model that page serves.
std::string JournalPage(const ModelRow& row);

// YYYY-MM-DD; nothing after the error was reported (exit code RefusedInput).
std::optional<QDate> ParseDay(const std::string& text, Terminal& terminal, int& exit);

}  // namespace tb::cli
