#include "app/TrimbenchApp.h"

#include <clocale>
#include <locale>

#include "app/TrimbenchDlg.h"
#include "journal/JournalRecorder.h"
#include "services/HelpOpener.h"
#include "services/Settings.h"
#include "services/StringOverride.h"
#include "ui/HelpWindow.h"
#include "ui/InterfaceFont.h"
#include "ui/QtMessageBoxBackend.h"
#include "ui/QtPumpHook.h"
#include "ui/QtTranslation.h"

namespace tb::app {
namespace {

constexpr const char* kCompanyKey = "KESTRUNE CORPORATION";
constexpr const char* kApplicationName = "Trimbench2";

}  // namespace

bool SelectJapaneseLocale() {
    for (const char* name : {"ja_JP.UTF-8", "ja_JP.utf8", "ja_JP"}) {
        if (std::setlocale(LC_ALL, name) == nullptr) continue;
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error&) {
            // The C library knows the locale; the C++ library keeps its own.
        }
        return true;
    }
    return false;
}

// The resource library is loaded before any window exists.
CTrimbenchApp::CTrimbenchApp(int& argc, char** argv, const std::string& resourceLibraryPath)
    : resources_(std::make_unique<services::ResourceLibrary>(
          resourceLibraryPath.empty() ? services::DefaultResourceLibraryPath()
                                      : resourceLibraryPath)),
      qt_(argc, argv) {}

void CTrimbenchApp::InitInstance() {
    texts_.emplace(*resources_);
    languageNumber_ = services::LanguageNumber();
    if (languageNumber_ == 0) {
        SelectJapaneseLocale();
        ui::UseJapaneseCapableFont();
    }
    ui::InstallQtTranslation(qtTexts_,
                             ui::QtTextsLanguage(languageNumber_, services::ReadInterfaceLanguage()));
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    services::SetHelpOpener(ui::OpenInHelpWindow);
}

int CTrimbenchApp::Run() {
    InitInstance();
    ui::ScopedQtPumpHook pump;
    ui::ScopedQtMessageBoxes boxes;
    const std::unique_ptr<journal::InstalledJournal> journal = journal::ConnectJournal();
    CTrimbenchDlg dialog(MakeStandardPages(), languageNumber_, nullptr, journal->Location());
    boxes.Backend().SetOwner(&dialog);
    dialog.exec();
    services::SetHelpOpener({});
    delete ui::CurrentHelpWindow();
    return 0;
}

}  // namespace tb::app
