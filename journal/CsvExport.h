// The journal as a CSV file for spreadsheet programs: UTF-8 with a byte
// order mark (so that Japanese text is read as such), one line per record,
// CRLF line ends, fields quoted where they hold a comma, a quote or a line
// break. Channels of one record are joined with " | " in each column.
#pragma once

#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/JournalRows.h"

namespace tb::journal {

// The header line and one line per entry, in the order given.
std::string CsvText(const std::vector<JournalEntry>& entries);

// Writes the text to path (replacing it only once complete); false with the reason.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, JournalError& error);

}  // namespace tb::journal
