#include <mutex>
#include <utility>

#include "services/PageServices.h"
#include "services/StringOverride.h"
#include "resources/StringTable.h"

namespace tb::services {
namespace {

struct OverrideSlot {
    std::mutex mutex;
    StringOverride lookup;
};

OverrideSlot& TheOverride() {
    static OverrideSlot slot;
    return slot;
}

}  // namespace

void SetStringOverride(StringOverride lookup) {
    std::lock_guard lock(TheOverride().mutex);
    TheOverride().lookup = std::move(lookup);
}

std::string LoadResString(int id) {
    StringOverride lookup;
    {
        std::lock_guard lock(TheOverride().mutex);
        lookup = TheOverride().lookup;
    }
    if (lookup) {
        if (std::optional<std::string> text = lookup(id)) return *std::move(text);
    }
    return std::string(resources::BuiltinString(id));
}

}  // namespace tb::services
