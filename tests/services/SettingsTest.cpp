#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "TempDir.h"
#include "services/Settings.h"
#include "services/StringOverride.h"

namespace tb::services {
namespace {

using tb::testing::ScopedEnv;
using tb::testing::TempDir;

class SettingsStore : public ::testing::Test {
  protected:
    void UseLanguage(std::string text) {
        language_.emplace([text](int id) -> std::optional<std::string> {
            if (id == 1047) return text;
            return std::nullopt;
        });
    }
    void WriteFile(const std::string& content) { std::ofstream(file_) << content; }

    std::optional<ScopedStringOverride> language_;
    TempDir dir_;
    std::string file_ = dir_.str() + "/Trimbench2.conf";
    ScopedEnv fileEnv_{"TRIMBENCH_SETTINGS_FILE", file_};
};

TEST_F(SettingsStore, DefaultsWhenNothingIsStored) {
    EXPECT_EQ(LanguageNumber(), 0);
    EXPECT_EQ(ReadTempUnit(), kCelsius);
    EXPECT_EQ(ReadDateForm(), 0);
}

TEST_F(SettingsStore, DateFormDefaultFollowsTheLanguageNumber) {
    UseLanguage("1");
    EXPECT_EQ(LanguageNumber(), 1);
    EXPECT_EQ(ReadDateForm(), 4);
    UseLanguage("3");
    EXPECT_EQ(ReadDateForm(), 6);
    UseLanguage("0");
    EXPECT_EQ(ReadDateForm(), 0);

    EXPECT_EQ(DefaultDateForm(2), 6);
    EXPECT_EQ(DefaultDateForm(6), 6);
    EXPECT_EQ(DefaultDateForm(7), 4);
    EXPECT_EQ(DefaultDateForm(-1), 4);
}

TEST_F(SettingsStore, LanguageNumberReadsLikeDecimalText) {
    UseLanguage(" 12abc");
    EXPECT_EQ(LanguageNumber(), 12);
    UseLanguage("-3");
    EXPECT_EQ(LanguageNumber(), -3);
    UseLanguage("Japanese");
    EXPECT_EQ(LanguageNumber(), 0);
    UseLanguage("");
    EXPECT_EQ(LanguageNumber(), 0);
    UseLanguage("99999999999999999999");
    EXPECT_EQ(LanguageNumber(), 0);
}

TEST_F(SettingsStore, WritesPersistAndAreReadBackEveryTime) {
    WriteTempUnit(kFahrenheit);
    EXPECT_EQ(ReadTempUnit(), kFahrenheit);
    std::ifstream in(file_);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("[Settings]"), std::string::npos);
    EXPECT_NE(content.find("AppTempeUnit=1"), std::string::npos);

    // Another writer (or the user) changes the file: the next read sees it.
    WriteFile("[Settings]\nAppTempeUnit=0\nDateForm=5\n");
    EXPECT_EQ(ReadTempUnit(), kCelsius);
    EXPECT_EQ(ReadDateForm(), 5);
}

TEST_F(SettingsStore, OnlyZeroOrOneIsEverWritten) {
    WriteTempUnit(7);
    EXPECT_EQ(ReadTempUnit(), kCelsius);
    std::ifstream in(file_);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("AppTempeUnit=0"), std::string::npos);
}

TEST_F(SettingsStore, GarbageValuesReadSafely) {
    UseLanguage("1");
    WriteFile("[Settings]\nAppTempeUnit=banana\nDateForm=soon\n");
    EXPECT_EQ(ReadTempUnit(), kCelsius);
    EXPECT_EQ(ReadDateForm(), 4);
    WriteFile("[Settings]\nAppTempeUnit=2\nDateForm=3\n");
    EXPECT_EQ(ReadTempUnit(), kCelsius);
    EXPECT_EQ(ReadDateForm(), 3);
    WriteFile("[Settings]\nAppTempeUnit=-1\n\x01\xff garbage [[[\n");
    EXPECT_EQ(ReadTempUnit(), kCelsius);
}

// An address typed into the file by hand keeps its commas.
TEST_F(SettingsStore, TextWithCommasReadsAsWritten) {
    WriteFile("[Journal]\nLabAddress=1-2-3 Minato, Tokyo\nLab=\"Lab, Inc.\"\n");
    EXPECT_EQ(ReadSettingText("Journal/LabAddress"), "1-2-3 Minato, Tokyo");
    EXPECT_EQ(ReadSettingText("Journal/Lab"), "Lab, Inc.");
}

}  // namespace
}  // namespace tb::services
