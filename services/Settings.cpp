#include "services/Settings.h"

#include <QSettings>
#include <QString>
#include <QVariant>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "resources/StringIds.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

constexpr const char* kCompany = "KESTRUNE CORPORATION";
constexpr const char* kApplication = "Trimbench2";
constexpr const char* kTempUnitKey = "Settings/AppTempeUnit";
constexpr const char* kDateFormKey = "Settings/DateForm";
constexpr const char* kLanguageKey = "Interface/Language";
constexpr const char* kLanguageVariable = "TRIMBENCH_LANGUAGE";

std::optional<int>& TempUnitOverride() {
    static std::optional<int> unit;
    return unit;
}

// The store, opened afresh for every access so that nothing is cached.
// TRIMBENCH_SETTINGS_FILE names an explicit file (tests and portable use).
std::unique_ptr<QSettings> OpenStore() {
    if (const char* file = std::getenv("TRIMBENCH_SETTINGS_FILE"); file && *file) {
        return std::make_unique<QSettings>(QString::fromLocal8Bit(file), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QString::fromLatin1(kCompany),
                                       QString::fromLatin1(kApplication));
}

std::optional<int> ReadInteger(const char* key) {
    const QVariant value = OpenStore()->value(QString::fromLatin1(key));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) return std::nullopt;
    return number;
}

// Decimal text as the C library's atoi reads it (leading blanks, a sign,
// digits up to the first other character); 0 for no digits or overflow.
int DecimalPrefix(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT_MAX) return 0;
    }
    return static_cast<int>(negative ? -value : value);
}

// A language code names a folder, so only plain codes are taken.
bool IsLanguageCode(const std::string& code) {
    if (code.size() < 2 || code.size() > 3) return false;
    for (char c : code) {
        if (c < 'a' || c > 'z') return false;
    }
    return true;
}

}  // namespace

int LanguageNumber() {
    return DecimalPrefix(LoadResString(resources::strings::kStrLanguageNumber));
}

void OverrideTempUnit(std::optional<int> unit) { TempUnitOverride() = unit; }

int ReadTempUnit() {
    std::optional<int> unit = TempUnitOverride() ? TempUnitOverride() : ReadInteger(kTempUnitKey);
    return unit && *unit == kFahrenheit ? kFahrenheit : kCelsius;
}

void WriteTempUnit(int unit) {
    auto store = OpenStore();
    store->setValue(QString::fromLatin1(kTempUnitKey),
                    unit == kFahrenheit ? kFahrenheit : kCelsius);
    store->sync();
}

int DefaultDateForm(int languageNumber) {
    if (languageNumber == 0) return 0;
    if (languageNumber >= 2 && languageNumber <= 6) return 6;
    return 4;
}

int ReadDateForm() { return ReadInteger(kDateFormKey).value_or(DefaultDateForm(LanguageNumber())); }

std::string ReadInterfaceLanguage() {
    std::string code;
    if (const char* chosen = std::getenv(kLanguageVariable); chosen && *chosen) {
        code = chosen;
    } else {
        code = OpenStore()->value(QString::fromLatin1(kLanguageKey)).toString().toStdString();
    }
    return IsLanguageCode(code) ? code : kBuiltinLanguage;
}

std::string ReadSettingText(const char* key, const std::string& fallback) {
    const QVariant value = OpenStore()->value(QString::fromLatin1(key));
    if (!value.isValid()) return fallback;
    // A settings file written by hand reads "1-2-3 Minato, Tokyo" as a list:
    // the text is what was written.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

}  // namespace tb::services

namespace tb::services {

void WriteSettingText(const char* key, const std::string& text) {
    auto store = OpenStore();
    if (text.empty()) {
        store->remove(QString::fromLatin1(key));
    } else {
        store->setValue(QString::fromLatin1(key), QString::fromStdString(text));
    }
}

}  // namespace tb::services
