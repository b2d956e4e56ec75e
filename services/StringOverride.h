// Replacement texts for the numbered strings.
//
// The optional resource library next to the program may carry its own texts.
// Start-up installs a lookup into it here; LoadResString asks the lookup
// first and falls back to the built-in table when it has no text for an id.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tb::services {

// Returns the replacement text of an id, or nothing to keep the built-in one.
using StringOverride = std::function<std::optional<std::string>(int id)>;

// Installs the lookup for the whole process; an empty function removes it.
void SetStringOverride(StringOverride lookup);

}  // namespace tb::services
