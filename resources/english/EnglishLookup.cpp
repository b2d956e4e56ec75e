#include <algorithm>

#include "resources/english/EnglishTables.h"

namespace tb::resources::english {

std::string_view String(int id) {
    const auto strings = Strings();
    auto it = std::lower_bound(strings.begin(), strings.end(), id,
                               [](const StringEntry& entry, int key) { return entry.id < key; });
    return it != strings.end() && it->id == id ? it->text : std::string_view();
}

std::string_view Caption(std::string_view builtin) {
    for (const CaptionEntry& entry : Captions()) {
        if (entry.builtin == builtin) return entry.english;
    }
    return {};
}

}  // namespace tb::resources::english
