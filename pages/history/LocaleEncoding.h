// Text in the multi-byte encoding of the program's locale (LC_CTYPE).
#pragma once

#include <optional>
#include <string>

namespace tb::history {

// UTF-8 text converted to `codeset` (an iconv name). Text for a UTF-8
// codeset, or for the plain ASCII codeset of a program that chose no locale,
// stays UTF-8 so that nothing is lost. Nothing when the text has no form in
// that codeset, is not valid UTF-8, or the codeset is unknown.
std::optional<std::string> ToEncoding(const std::string& utf8, const std::string& codeset);

// The same for the codeset of the current locale.
std::optional<std::string> ToLocaleEncoding(const std::string& utf8);

}  // namespace tb::history
