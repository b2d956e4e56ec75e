#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/dialogs/DialogTemplate.h"
#include "resources/english/EnglishTables.h"

namespace tb::resources {
namespace {

// The value slots of a text that a translation must keep: the printf
// conversions ("%.3lf", "%+d", ...) in order, then the command line's %1,
// %2, ... sorted, since a translation may place those in any order.
std::vector<std::string> Conversions(std::string_view text) {
    std::vector<std::string> found;
    std::vector<std::string> numbered;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            numbered.emplace_back(text.substr(i, 2));
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && std::strchr("-+ #0123456789.hlLqjzt", text[end])) ++end;
        found.emplace_back(text.substr(i, end + 1 - i));
        i = end;
    }
    std::sort(numbered.begin(), numbered.end());
    found.insert(found.end(), numbered.begin(), numbered.end());
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

// The English resource library, loaded as the program loads it.
class EnglishLibrary : public ::testing::Test {
  protected:
    using StringLookup = const char* (*)(int);
    using CaptionLookup = const char* (*)(const char*);

    void SetUp() override {
        library_ = dlopen(TB_ENGLISH_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        string_ = reinterpret_cast<StringLookup>(dlsym(library_, "Trimbench800_String"));
        caption_ = reinterpret_cast<CaptionLookup>(dlsym(library_, "Trimbench800_Caption"));
        ASSERT_NE(string_, nullptr);
        ASSERT_NE(caption_, nullptr);
    }
    void TearDown() override {
        if (library_ != nullptr) dlclose(library_);
    }

    void* library_ = nullptr;
    StringLookup string_ = nullptr;
    CaptionLookup caption_ = nullptr;
};

TEST_F(EnglishLibrary, ServesBothTablesThroughItsExports) {
    EXPECT_STREQ(string_(1047), "1");
    EXPECT_STREQ(string_(1006), "The help file cannot be opened.");
    EXPECT_EQ(string_(99999), nullptr);  // not ours: the program keeps its own
    EXPECT_STREQ(caption_("設定送信"), "Send");
    EXPECT_EQ(caption_("LGR830B"), nullptr);
    EXPECT_EQ(caption_(nullptr), nullptr);
}

TEST_F(EnglishLibrary, AnswersForEveryTextOfTheCommandLineBlock) {
    for (int id = cli_text::kFirst; id <= cli_text::kLast; ++id) {
        const char* english = string_(id);
        ASSERT_NE(english, nullptr) << "command-line text " << id;
        EXPECT_EQ(english, english::String(id)) << id;
        EXPECT_FALSE(BuiltinString(id).empty())
            << "command-line text " << id << " has no Japanese text";
    }
    EXPECT_EQ(string_(cli_text::kLast + 1), nullptr);
    EXPECT_STREQ(string_(cli_text::SummaryFailed), "%1 of %2 rows failed");
    EXPECT_EQ(BuiltinString(cli_text::SummaryFailed), "%2 行中 %1 行が失敗しました");
    EXPECT_EQ(cli_text::kFirst, 4000);  // the block's numbers are the library's interface
}

// The names and numbers of resources/StringIds.h as written there.
std::vector<std::pair<std::string, int>> NamedIds() {
    std::ifstream file(TB_STRING_IDS_HEADER);
    std::stringstream text;
    text << file.rdbuf();
    const std::string header = text.str();
    const std::regex named(R"(\b([A-Za-z]\w*) = (\d+)[,;])");
    std::vector<std::pair<std::string, int>> ids;
    for (auto it = std::sregex_iterator(header.begin(), header.end(), named);
         it != std::sregex_iterator(); ++it)
        ids.emplace_back((*it)[1], std::stoi((*it)[2]));
    return ids;
}

TEST(StringIds, NameEveryTextOnceAndEveryNameHasAJapaneseAndAnEnglishText) {
    const auto named = NamedIds();
    ASSERT_GE(named.size(), BuiltinStrings().size());
    std::set<int> ids;
    std::set<std::string> names;
    for (const auto& [name, id] : named) {
        EXPECT_TRUE(ids.insert(id).second) << name << " repeats id " << id;
        EXPECT_TRUE(names.insert(name).second) << name << " is named twice";
        EXPECT_FALSE(BuiltinString(id).empty()) << name << " (" << id << ") has no Japanese text";
        EXPECT_FALSE(english::String(id).empty()) << name << " (" << id << ") has no English text";
    }
    for (const StringEntry& entry : BuiltinStrings())
        EXPECT_TRUE(ids.count(entry.id)) << "string " << entry.id << " has no name";
}

}  // namespace
}  // namespace tb::resources
