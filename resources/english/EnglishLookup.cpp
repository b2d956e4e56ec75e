#include "resources/english/EnglishTables.h"

namespace tb::resources::english {

std::string_view String(int id) { return FindString(Strings(), id); }

std::string_view Caption(std::string_view builtin) {
    for (const CaptionEntry& entry : Captions()) {
        if (entry.builtin == builtin) return entry.english;
    }
    return {};
}

}  // namespace tb::resources::english
