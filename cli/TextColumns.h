// Columns of a terminal table: text padded to a number of terminal cells,
// where a Japanese character takes two cells and a Latin one takes one.
#pragma once

#include <string>
#include <string_view>

namespace tb::cli {

// The cells UTF-8 text takes on a terminal (East Asian wide and fullwidth
// characters two, others one); a byte that starts no character counts one.
int DisplayWidth(std::string_view utf8);

// The text padded with spaces to `cells`; a text as wide or wider keeps one
// space after it, so that columns never run together.
std::string Column(std::string_view utf8, int cells);

}  // namespace tb::cli
