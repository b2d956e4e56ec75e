// Replacement texts for the numbered strings and the dialogs' own texts.
//
// The optional resource library may carry its own texts. Start-up installs
// lookups into it here; LoadResString and TemplateText ask the lookup first
// and fall back to the built-in text when it has none.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ScopedSwap.h"

namespace tb::services {

// Returns the replacement text of an id, or nothing to keep the built-in one.
using StringOverride = std::function<std::optional<std::string>(int id)>;

// Installs the lookup for the whole process; an empty function removes it.
void SetStringOverride(StringOverride lookup);

// The installed lookup (empty: the built-in texts).
platform::LockedSlot<StringOverride>& InstalledStringOverride();

// Installs a lookup for the lifetime of the object (tests).
using ScopedStringOverride = platform::ScopedSwap<&InstalledStringOverride>;

// Returns the replacement of a built-in dialog text (a dialog or control
// caption, a control's spoken name, a button of the message box), or nothing
// to keep it.
using CaptionOverride = std::function<std::optional<std::string>(std::string_view builtin)>;

// Installs the lookup for the whole process; an empty function removes it.
void SetCaptionOverride(CaptionOverride lookup);

// The installed lookup (empty: the built-in captions).
platform::LockedSlot<CaptionOverride>& InstalledCaptionOverride();

using ScopedCaptionOverride = platform::ScopedSwap<&InstalledCaptionOverride>;

// The text to show for a built-in dialog text: the replacement, else itself.
std::string TemplateText(std::string_view builtin);

}  // namespace tb::services
