// Trimbench_800.so, the English resource library. The program loads it when
// the English interface is chosen; it replaces every numbered string (the
// language number, kStrLanguageNumber, is "1") and every dialog text.
#include "resources/english/EnglishTables.h"

// The texts are string literals, so the pointers stay valid while the
// library is loaded.
extern "C" TB_EXPORT const char* Trimbench800_String(int id) {
    const std::string_view text = tb::resources::english::String(id);
    return text.empty() ? nullptr : text.data();
}

extern "C" TB_EXPORT const char* Trimbench800_Caption(const char* builtin) {
    if (builtin == nullptr) return nullptr;
    const std::string_view text = tb::resources::english::Caption(builtin);
    return text.empty() ? nullptr : text.data();
}
