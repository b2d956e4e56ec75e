#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <mutex>
#include <utility>

#include "resources/StringIds.h"
#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"

namespace tb::services {
namespace {

// Seen from the installed program's folder: ../share/trimbench/manual.
constexpr const char* kManualInstalledFolder = "share/trimbench";
constexpr const char* kManualFolder = "manual";

struct OpenerSlot {
    std::mutex mutex;
    HelpOpener opener;
};

OpenerSlot& TheOpener() {
    static OpenerSlot slot;
    return slot;
}

bool OpenWithXdgOpen(const std::string& path) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty()) return false;
    return QProcess::startDetached(program, QStringList{QString::fromStdString(path)});
}

}  // namespace

void SetHelpOpener(HelpOpener opener) {
    std::lock_guard lock(TheOpener().mutex);
    TheOpener().opener = std::move(opener);
}

std::string ManualPath(const std::string& programFolder, const std::string& language) {
    for (const std::string& code : {language, std::string(kBuiltinLanguage)}) {
        const std::string page = std::string(kManualFolder) + "/" + code + "/index.html";
        if (auto found = FindProgramFile(programFolder, kManualInstalledFolder, page))
            return *found;
    }
    return programFolder + "/../" + kManualInstalledFolder + "/" + kManualFolder + "/" +
           kBuiltinLanguage + "/index.html";
}

// A resource library other than the built-in language without a language
// pack of its own (one put beside the program) gets the English manual.
std::string HelpFilePath() {
    if (LanguageNumber() == 0) return ManualPath(ProgramFolder(), kBuiltinLanguage);
    const std::string chosen = ReadInterfaceLanguage();
    return ManualPath(ProgramFolder(), chosen == kBuiltinLanguage ? "en" : chosen);
}

void ShowHelp() { ShowHelpFile(HelpFilePath()); }

void ShowHelpFile(const std::string& path) {
    std::error_code error;
    bool opened = false;
    if (std::filesystem::is_regular_file(path, error)) {
        HelpOpener opener;
        {
            std::lock_guard lock(TheOpener().mutex);
            opener = TheOpener().opener;
        }
        opened = opener ? opener(path) : OpenWithXdgOpen(path);
    }
    if (!opened)
        ShowMessageId(resources::strings::kMsgHelpFailed, MsgButtons::Ok, MsgIcon::Warning);
}

}  // namespace tb::services
