#include <mutex>
#include <utility>

#include "app/PageServices.h"
#include "app/StringOverride.h"
#include "resources/StringTable.h"

namespace tb::app {
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

}  // namespace tb::app
