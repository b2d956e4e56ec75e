#include <utility>

#include "services/PageServices.h"
#include "services/StringOverride.h"
#include "resources/StringTable.h"

namespace tb::services {

platform::LockedSlot<StringOverride>& InstalledStringOverride() {
    static platform::LockedSlot<StringOverride> slot;
    return slot;
}

platform::LockedSlot<CaptionOverride>& InstalledCaptionOverride() {
    static platform::LockedSlot<CaptionOverride> slot;
    return slot;
}

void SetStringOverride(StringOverride lookup) {
    InstalledStringOverride().Exchange(std::move(lookup));
}

void SetCaptionOverride(CaptionOverride lookup) {
    InstalledCaptionOverride().Exchange(std::move(lookup));
}

std::string TemplateText(std::string_view builtin) {
    if (const CaptionOverride lookup = InstalledCaptionOverride().Get();
        lookup && !builtin.empty()) {
        if (std::optional<std::string> text = lookup(builtin)) return *std::move(text);
    }
    return std::string(builtin);
}

std::string LoadResString(int id) {
    if (const StringOverride lookup = InstalledStringOverride().Get()) {
        if (std::optional<std::string> text = lookup(id)) return *std::move(text);
    }
    return std::string(resources::BuiltinString(id));
}

}  // namespace tb::services
