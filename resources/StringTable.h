// The program's own string table: every numbered user-visible text.
//
// This is the single source of the built-in texts. The page services load
// them through LoadResString, which lets an optional resource library
// replace a text before falling back to this table.
#pragma once

#include <span>
#include <string_view>

namespace tb::resources {

struct StringEntry {
    int id;
    std::string_view text;
};

// The text of string id; empty text when the table has no such id.
std::string_view BuiltinString(int id);

// Every entry, in increasing order of id.
std::span<const StringEntry> BuiltinStrings();

}  // namespace tb::resources
