// The Windows sources of the layers above the libraries: the program's
// folder, the resource library, the account's name, the settings in the
// registry, the shared journal's refusal and the console check.
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <QSettings>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/Console.h"
#include "journal/JournalLocation.h"
#include "journal/LoginName.h"
#include "resources/StringIds.h"
#include "services/PageServices.h"
#include "services/ResourceLibrary.h"
#include "services/Settings.h"

namespace tb {
namespace {

namespace fs = std::filesystem;

// TRIMBENCH_SETTINGS_FILE for the life of the object (empty: the registry).
class SettingsFile {
  public:
    explicit SettingsFile(const std::string& path) {
        if (const char* old = std::getenv("TRIMBENCH_SETTINGS_FILE")) saved_ = old;
        _putenv_s("TRIMBENCH_SETTINGS_FILE", path.c_str());
    }
    ~SettingsFile() { _putenv_s("TRIMBENCH_SETTINGS_FILE", saved_.c_str()); }

  private:
    std::string saved_;
};

fs::path TempFolder(const char* name) {
    const fs::path folder = fs::temp_directory_path() /
                            (std::string(name) + "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(ProgramFolderOnWindows, IsTheFolderOfTheRunningProgramWithForwardSlashes) {
    const std::string folder = services::ProgramFolder();
    EXPECT_EQ(folder.find('\\'), std::string::npos) << folder;
    EXPECT_TRUE(fs::is_regular_file(fs::u8path(folder + "/test_system_win.exe"))) << folder;
    wchar_t module[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
    EXPECT_EQ(fs::path(module).parent_path(), fs::u8path(folder).make_preferred());
}

TEST(ResourceLibraryOnWindows, LoadsTheLanguagePackDllAndRefusesOthers) {
    const std::string folder = services::ProgramFolder();
    const std::string english = services::ResourceLibraryPath(folder, "en");
    EXPECT_EQ(english, folder + "/lang/en/Trimbench_800.dll");
    const services::ResourceLibrary library(english);
    ASSERT_TRUE(library.IsLoaded());
    EXPECT_EQ(
        library.String(resources::strings::kMsgSharedJournalLinuxOnly).value_or(""),
        "A shared PostgreSQL journal can be used on Linux only. Choose the SQLite journal "
        "(Journal/Engine=sqlite).");
    // A DLL without the string export, and no file at all, serve nothing.
    EXPECT_FALSE(services::ResourceLibrary(folder + "/TrimbenchPlatform.dll").IsLoaded());
    EXPECT_FALSE(services::ResourceLibrary(folder + "/lang/xx/Trimbench_800.dll").IsLoaded());
    EXPECT_FALSE(services::ResourceLibrary("").IsLoaded());
    // Built-in Japanese: the library beside the program, which is not there.
    EXPECT_EQ(services::ResourceLibraryPath(folder, "ja"), folder + "/Trimbench_800.dll");
}

TEST(LoginNameOnWindows, IsTheAccountTheSystemNames) {
    wchar_t name[257] = {};
    DWORD size = 257;
    ASSERT_TRUE(GetUserNameW(name, &size));
    const std::string login = journal::LoginName();
    ASSERT_FALSE(login.empty());
    EXPECT_EQ(QString::fromStdString(login), QString::fromWCharArray(name));
}

TEST(SettingsOnWindows, LiveInTheProgramsRegistryKeyUnlessAFileIsNamed) {
    const SettingsFile none("");
    services::WriteSettingText("Journal/Lab", "Bench 7 \xE6\xA0\xA1\xE6\xAD\xA3");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\KESTRUNE CORPORATION\\Trimbench2\\Journal", 0,
                      KEY_READ, &key),
        ERROR_SUCCESS);
    wchar_t value[64] = {};
    DWORD bytes = sizeof value;
    EXPECT_EQ(
        RegQueryValueExW(key, L"Lab", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(QString::fromWCharArray(value), QString::fromUtf8("Bench 7 校正"));
    EXPECT_EQ(journal::LabName(), "Bench 7 \xE6\xA0\xA1\xE6\xAD\xA3");

    // A named INI file takes the place of the registry.
    const fs::path folder = TempFolder("tb-settings");
    const SettingsFile file((folder / "settings.ini").string());
    EXPECT_EQ(journal::LabName(), "");
    services::WriteSettingText("Journal/Lab", "from the file");
    EXPECT_EQ(journal::LabName(), "from the file");
    EXPECT_TRUE(fs::exists(folder / "settings.ini"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KESTRUNE CORPORATION\\Trimbench2\\Journal");
    fs::remove_all(folder);
}

TEST(SharedJournalOnWindows, IsRefusedWithItsMessageAndNothingIsMade) {
    const fs::path folder = TempFolder("tb-journal");
    {
        std::ofstream ini(folder / "settings.ini");
        ini << "[Journal]\nEngine=postgresql\nConnection=host=127.0.0.1 dbname=journal\nFile="
            << (folder / "journal.sqlite3").generic_string() << "\n";
    }
    const SettingsFile settings((folder / "settings.ini").string());
    const journal::JournalLocation location = journal::ConfiguredLocation();
    ASSERT_EQ(location.engine, journal::Engine::Postgres);
    journal::JournalError error;
    EXPECT_EQ(journal::OpenJournal(location, error), nullptr);
    EXPECT_EQ(error.text, resources::strings::kMsgSharedJournalLinuxOnly);
    EXPECT_NE(journal::JournalErrorText(error).find("Linux"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "journal.sqlite3"));
    fs::remove_all(folder);
}

// The tests run with their error stream in a file or a pipe: no terminal,
// and NUL (a character device, which _isatty calls a terminal) is none.
TEST(ConsoleOnWindows, ARedirectedErrorStreamOrNulIsNoTerminal) {
    EXPECT_FALSE(cli::ErrorStreamIsTerminal());
    fflush(stderr);
    const int saved = _dup(_fileno(stderr));
    FILE* nul = nullptr;
    ASSERT_EQ(freopen_s(&nul, "NUL", "w", stderr), 0);
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stderr)));
    SetStdHandle(STD_ERROR_HANDLE, handle);
    const bool characterDevice = _isatty(_fileno(stderr)) != 0;
    const bool terminal = cli::ErrorStreamIsTerminal();
    fflush(stderr);
    _dup2(saved, _fileno(stderr));
    SetStdHandle(STD_ERROR_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stderr))));
    _close(saved);
    EXPECT_TRUE(characterDevice) << "NUL is a character device";
    EXPECT_FALSE(terminal);
}

}  // namespace
}  // namespace tb
