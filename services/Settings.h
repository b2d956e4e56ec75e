// The settings store: QSettings("KESTRUNE CORPORATION", "Trimbench2"), group
// "Settings". Every read goes to the store; nothing is cached.
#pragma once

#include <optional>
#include <string>

namespace tb::services {

enum TempUnit { kCelsius = 0, kFahrenheit = 1 };

// String kStrLanguageNumber as a decimal integer; text that is not a number gives 0.
int LanguageNumber();

// Settings/AppTempeUnit: 0 (Celsius, also for a missing or foreign value) or 1.
int ReadTempUnit();
void WriteTempUnit(int unit);

// Fixes the unit that ReadTempUnit answers for the rest of this process
// without touching the stored setting (the command line's --unit); nullopt
// returns to the store.
void OverrideTempUnit(std::optional<int> unit);

// Settings/DateForm, 0 to 6; its default follows the language number
// (0: 0; 2 to 6: 6; any other: 4). A stored value that is not a number reads
// as the default; other numbers are passed on (the date layout treats them
// as 0). The store is TRIMBENCH_SETTINGS_FILE (an INI file) when that is set.
int ReadDateForm();

// A text value of the store by its "Group/Key"; fallback when missing.
std::string ReadSettingText(const char* key, const std::string& fallback = {});
// Stores a text value by its "Group/Key"; an empty text removes the key.
void WriteSettingText(const char* key, const std::string& text);
int DefaultDateForm(int languageNumber);

// The language of the interface built into the program.
inline constexpr const char* kBuiltinLanguage = "ja";

// The chosen interface language: TRIMBENCH_LANGUAGE, else Interface/Language
// in the store, else kBuiltinLanguage. Only a code of two or three lower-case
// letters ("en") counts; anything else reads as kBuiltinLanguage.
std::string ReadInterfaceLanguage();

}  // namespace tb::services
