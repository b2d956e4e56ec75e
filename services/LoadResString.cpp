#include <mutex>
#include <utility>

#include "services/PageServices.h"
#include "services/StringOverride.h"
#include "resources/StringTable.h"

namespace tb::services {
namespace {

// One process-wide lookup, installed and read under its own lock.
template <typename Lookup>
struct OverrideSlot {
    std::mutex mutex;
    Lookup lookup;

    void Set(Lookup replacement) {
        std::lock_guard lock(mutex);
        lookup = std::move(replacement);
    }
    Lookup Get() {
        std::lock_guard lock(mutex);
        return lookup;
    }
};

OverrideSlot<StringOverride>& TheOverride() {
    static OverrideSlot<StringOverride> slot;
    return slot;
}

OverrideSlot<CaptionOverride>& TheCaptionOverride() {
    static OverrideSlot<CaptionOverride> slot;
    return slot;
}

}  // namespace

void SetStringOverride(StringOverride lookup) { TheOverride().Set(std::move(lookup)); }

void SetCaptionOverride(CaptionOverride lookup) { TheCaptionOverride().Set(std::move(lookup)); }

std::string TemplateText(std::string_view builtin) {
    if (const CaptionOverride lookup = TheCaptionOverride().Get(); lookup && !builtin.empty()) {
        if (std::optional<std::string> text = lookup(builtin)) return *std::move(text);
    }
    return std::string(builtin);
}

std::string LoadResString(int id) {
    if (const StringOverride lookup = TheOverride().Get()) {
        if (std::optional<std::string> text = lookup(id)) return *std::move(text);
    }
    return std::string(resources::BuiltinString(id));
}

}  // namespace tb::services
