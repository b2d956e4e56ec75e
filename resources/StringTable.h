// The program's own string table: every numbered user-visible text, the
// window's and the command line's, by the ids of resources/StringIds.h.
//
// This is the single source of the built-in texts. The page services load
// them through LoadResString, which lets an optional resource library
// replace a text before falling back to this table.
//
// A new text is a name in StringIds.h (a new number, never a reused one),
// its Japanese text here (StringTable.cpp) and its English text in
// english/EnglishStrings.cpp; the resource tests fail until all three are
// there.
#pragma once

#include <algorithm>
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

// True when every id of `table` is greater than the one before it.
constexpr bool IsSortedById(std::span<const StringEntry> table) {
    return std::adjacent_find(table.begin(), table.end(),
                              [](const StringEntry& a, const StringEntry& b) {
                                  return a.id >= b.id;
                              }) == table.end();
}

// The text of `id` in a table sorted by id; empty when the table has none.
constexpr std::string_view FindString(std::span<const StringEntry> table, int id) {
    const auto it =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const StringEntry& entry, int key) { return entry.id < key; });
    return it != table.end() && it->id == id ? it->text : std::string_view();
}

}  // namespace tb::resources
