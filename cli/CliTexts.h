// The command line's own texts: the block cli_text of the string table
// (resources/StringIds.h), in the interface language like every other
// text of the program: the resource library of the chosen language answers
// for them (kStrLanguageNumber tells which one it is), the built-in Japanese
// otherwise. The pages' messages come from the same table as in the window.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "resources/StringIds.h"

namespace tb::cli {

namespace cli_text = resources::cli_text;
using CliText = cli_text::Id;

// The text in the interface language.
std::string Text(CliText id);
// The text with %1, %2, ... replaced by the arguments.
std::string Text(CliText id, std::initializer_list<std::string_view> args);

}  // namespace tb::cli
