// The journal's integrity chain: every row carries SHA-256 over the
// previous row's chain value and its own canonical text, so a changed,
// removed or inserted row breaks the chain at that row.
#pragma once

#include <string>

#include "journal/JournalEntry.h"

namespace tb::journal {

// The chain value before the first row.
inline constexpr const char* kChainStart = "";

// Lower-case hex of SHA-256(previous "\n" canonical text of entry).
std::string ChainValue(const std::string& previous, const JournalEntry& entry);

}  // namespace tb::journal
