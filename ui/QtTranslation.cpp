#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "services/PageServices.h"
#include "services/Settings.h"

namespace tb::ui {

std::string QtTextsLanguage(int languageNumber, const std::string& chosenLanguage) {
    if (languageNumber == 0) return services::kBuiltinLanguage;
    // A language pack that was not found leaves English texts in force.
    return chosenLanguage == services::kBuiltinLanguage ? "en" : chosenLanguage;
}

bool InstallQtTranslation(QTranslator& translator, const std::string& language) {
    if (language.empty() || language == "en") return false;
    const QString name = QStringLiteral("qtbase_") + QString::fromStdString(language);
    const QString folders[] = {
        QString::fromStdString(services::ProgramFolder()) + QStringLiteral("/translations"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& folder : folders) {
        if (translator.load(name, folder)) return QCoreApplication::installTranslator(&translator);
    }
    return false;
}

}  // namespace tb::ui
