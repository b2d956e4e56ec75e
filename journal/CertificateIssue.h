// Issuing a certificate in the register: the number it is issued under
// (its rows' number, or for a correction that number with the next free
// revision) and its entry, which records the rows, the digest, the
// references the rows relied on and the number a correction replaces. The
// same rows issued again under the same number are the same certificate.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/JournalEntry.h"
#include "journal/JournalError.h"
#include "journal/JournalStore.h"

namespace tb::journal {

// The number to issue the rows under. A correction must replace a
// registered certificate of the same logger that no other certificate
// replaces yet; refused with the reason otherwise.
std::optional<std::string> IssueNumber(JournalStore& store, const std::vector<JournalEntry>& entries,
                                       const std::string& replaces, JournalError& error);

// Registers the rows' certificate under the number, unless it is there
// with the same digest already.
bool RegisterIssue(JournalStore& store, const std::vector<JournalEntry>& entries, const std::string& number,
                   const std::string& replaces, JournalError& error);

}  // namespace tb::journal
