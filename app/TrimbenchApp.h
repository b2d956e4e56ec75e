// The application object: loads the optional resource library, selects the
// locale and Qt's own texts from the language number, names the settings
// store and runs the main dialog modally; the program ends when the dialog
// closes.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string>

#include "services/ResourceLibrary.h"

namespace tb::app {

class CTrimbenchApp {
  public:
    // `resourceLibraryPath` empty: the library beside the program.
    CTrimbenchApp(int& argc, char** argv, const std::string& resourceLibraryPath = {});
    CTrimbenchApp(const CTrimbenchApp&) = delete;
    CTrimbenchApp& operator=(const CTrimbenchApp&) = delete;

    // Runs the program; returns its exit code.
    int Run();

    // Texts, language and locale, settings store; Run() starts with it.
    void InitInstance();
    bool HasResourceLibrary() const { return resources_->IsLoaded(); }
    int LanguageNumber() const { return languageNumber_; }

  private:
    std::unique_ptr<services::ResourceLibrary> resources_;
    // After the library: its texts go before it does.
    std::optional<services::ScopedResourceTexts> texts_;
    QApplication qt_;
    // Qt's own texts in the interface's language; removed before qt_ goes.
    QTranslator qtTexts_;
    int languageNumber_ = 0;
};

// Selects the Japanese locale for the C library and the C++ library; false
// when the machine has no such locale (the program carries on).
bool SelectJapaneseLocale();

}  // namespace tb::app
