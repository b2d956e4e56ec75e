// Qt's own texts (the standard buttons of dialogs and message boxes, the
// context menus of text fields) in the interface's language.
#pragma once

#include <QTranslator>
#include <string>

namespace tb::ui {

// The language of Qt's texts for the interface in force: Japanese for the
// built-in texts (language number 0), else the chosen language's code.
std::string QtTextsLanguage(int languageNumber, const std::string& chosenLanguage);

// Loads Qt's translation into `language` ("ja": qtbase_ja.qm) into the
// translator and installs it in the application. It is looked for in the
// translations folder beside the program (where a Windows installation
// keeps it), then in the Qt installation's. False, and Qt's texts stay
// English, when there is none or the language is English.
bool InstallQtTranslation(QTranslator& translator, const std::string& language);

}  // namespace tb::ui
