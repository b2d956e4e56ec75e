// The English interface: translations of the built-in string table and of
// the dialogs' texts. The English resource library serves them; the tests
// hold them against the built-in texts.
#pragma once

#include <span>
#include <string_view>

#include "resources/StringTable.h"

namespace tb::resources::english {

struct CaptionEntry {
    std::string_view builtin;
    std::string_view english;
};

// Every numbered string, sorted by id.
std::span<const StringEntry> Strings();

// Every dialog text that is not plain ASCII.
std::span<const CaptionEntry> Captions();

// Lookups; an empty view when the table has no entry.
std::string_view String(int id);
std::string_view Caption(std::string_view builtin);

}  // namespace tb::resources::english
