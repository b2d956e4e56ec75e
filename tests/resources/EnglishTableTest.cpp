#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "resources/StringTable.h"
#include "resources/dialogs/DialogTemplate.h"
#include "resources/english/EnglishTables.h"

namespace tb::resources {
namespace {

// The printf conversions of a format text, in order ("%.3lf", "%+d", ...).
std::vector<std::string> Conversions(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && std::strchr("-+ #0123456789.hlLqjzt", text[end])) ++end;
        found.emplace_back(text.substr(i, end + 1 - i));
        i = end;
    }
    return found;
}

bool IsPlainAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

// Kana, CJK ideographs, full-width and half-width forms: U+3000 and above in
// UTF-8 start with a lead byte of 0xE3 or more.
bool HasJapanese(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0xE3 && c < 0xF0) return true;
    }
    return false;
}

// Every text of every dialog the program carries: captions and spoken names.
std::vector<std::string_view> DialogTexts() {
    std::vector<std::string_view> texts;
    for (int id : DialogTemplateIds()) {
        const DialogTemplate* dialog = FindDialogTemplate(id);
        texts.push_back(dialog->caption);
        for (const ControlTemplate& control : dialog->controls) {
            texts.push_back(control.caption);
            texts.push_back(control.accessibleName);
        }
    }
    return texts;
}

TEST(EnglishInterface, EveryStringHasAnEnglishTextWithTheSameConversions) {
    ASSERT_FALSE(BuiltinStrings().empty());
    for (const StringEntry& builtin : BuiltinStrings()) {
        const std::string_view english = english::String(builtin.id);
        ASSERT_FALSE(english.empty()) << "string " << builtin.id << " has no English text";
        EXPECT_EQ(Conversions(english), Conversions(builtin.text)) << "string " << builtin.id;
        EXPECT_FALSE(HasJapanese(english)) << "string " << builtin.id;
    }
    // Nothing stale: every English text belongs to a string of the program.
    for (const StringEntry& entry : english::Strings()) {
        EXPECT_FALSE(BuiltinString(entry.id).empty()) << "string " << entry.id << " is not ours";
    }
    EXPECT_EQ(english::String(1047), "1");  // the language number
}

TEST(EnglishInterface, EveryDialogTextHasAnEnglishText) {
    for (std::string_view text : DialogTexts()) {
        if (IsPlainAscii(text)) continue;
        const std::string_view english = english::Caption(text);
        EXPECT_FALSE(english.empty()) << "no English text for \"" << text << "\"";
        EXPECT_FALSE(HasJapanese(english)) << text;
    }
    for (const english::CaptionEntry& entry : english::Captions()) {
        EXPECT_FALSE(HasJapanese(entry.english)) << entry.builtin;
    }
}

TEST(EnglishInterface, TheResourceLibraryServesBothTablesThroughItsExports) {
    void* library = dlopen(TB_ENGLISH_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using StringLookup = const char* (*)(int);
    using CaptionLookup = const char* (*)(const char*);
    auto string = reinterpret_cast<StringLookup>(dlsym(library, "Trimbench800_String"));
    auto caption = reinterpret_cast<CaptionLookup>(dlsym(library, "Trimbench800_Caption"));
    ASSERT_NE(string, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_STREQ(string(1047), "1");
    EXPECT_STREQ(string(1006), "The help file cannot be opened.");
    EXPECT_EQ(string(99999), nullptr);  // not ours: the program keeps its own
    EXPECT_STREQ(caption("設定送信"), "Send");
    EXPECT_EQ(caption("LGR830B"), nullptr);
    EXPECT_EQ(caption(nullptr), nullptr);
    dlclose(library);
}

}  // namespace
}  // namespace tb::resources
