#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "services/PageServices.h"
#include "services/Settings.h"
#include "services/StringOverride.h"
#include "services/ResourceLibrary.h"
#include "app/TrimbenchApp.h"
#include "tests/ui/QtTestApp.h"

using tb::app::CTrimbenchApp;
using tb::services::ResourceLibrary;

TEST(Startup, ResourceLibraryTextsReplaceOursIncludingTheLanguageNumber) {
    CTrimbenchApp app(tb::testing::ProgramArgc(), tb::testing::ProgramArgv(),
                      TB_TEST_RESOURCE_LIBRARY);
    ASSERT_TRUE(app.HasResourceLibrary());
    app.InitInstance();
    EXPECT_EQ(app.LanguageNumber(), 1);
    EXPECT_EQ(tb::services::LoadResString(108), "About Trimbench...");
    EXPECT_EQ(tb::services::LoadResString(1048), "選択された機器が接続されていません。");  // kept
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("KESTRUNE CORPORATION"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Trimbench2"));
}

TEST(Startup, WithoutResourceLibraryTheProgramUsesItsOwnTextsAndJapaneseLocale) {
    CTrimbenchApp app(tb::testing::ProgramArgc(), tb::testing::ProgramArgv(),
                      "/nonexistent/Trimbench_800.so");
    EXPECT_FALSE(app.HasResourceLibrary());
    app.InitInstance();
    EXPECT_EQ(app.LanguageNumber(), 0);
    EXPECT_EQ(tb::services::LoadResString(108), "バージョン情報(&A)...");
}

// Qt's standard buttons (the conditions dialog's Cancel among them) speak
// the interface's language: Japanese for the built-in texts, English for
// the English library. scripts/install-deps.sh installs Qt's translations.
TEST(Startup, QtsOwnTextsFollowTheInterfaceLanguage) {
    const std::pair<std::string, QString> cases[] = {{"/nonexistent/Trimbench_800.so", "キャンセル"},
                                                     {TB_TEST_RESOURCE_LIBRARY, "Cancel"}};
    for (const auto& [library, cancel] : cases) {
        CTrimbenchApp app(tb::testing::ProgramArgc(), tb::testing::ProgramArgv(), library);
        app.InitInstance();
        const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), cancel) << library;
    }
}

TEST(Startup, BrokenOrForeignLibrariesAreIgnoredSilently) {
    const std::string broken = QDir::tempPath().toStdString() + "/tb-broken-" +
                               std::to_string(QCoreApplication::applicationPid()) + ".so";
    std::ofstream(broken) << "not a shared object";
    EXPECT_FALSE(ResourceLibrary(broken).IsLoaded());
    std::remove(broken.c_str());
    // A real shared object without the text export.
    EXPECT_FALSE(ResourceLibrary(TB_FOREIGN_LIBRARY).IsLoaded());
    EXPECT_FALSE(ResourceLibrary(TB_FOREIGN_LIBRARY).String(1047).has_value());
}

// scripts/install-deps.sh installs the Japanese locale; without it this fails.
TEST(Startup, JapaneseLocaleIsSelected) {
    ASSERT_TRUE(tb::app::SelectJapaneseLocale()) << "ja_JP.UTF-8 is not installed";
    EXPECT_NE(std::string(std::setlocale(LC_ALL, nullptr)).find("ja_JP"), std::string::npos);
    std::setlocale(LC_ALL, "C");
}

TEST(Startup, TheChosenLanguagePackIsFoundInstalledOrInTheBuildTree) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(QDir::tempPath().toStdString()) /
                          ("tb-langpack-" + std::to_string(QCoreApplication::applicationPid()));
    const auto touch = [](const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    };
    const fs::path bin = root / "bin", out = root / "build/out";
    fs::create_directories(bin);
    touch(root / "lib/trimbench/lang/en/Trimbench_800.so");
    touch(out / "lang/en/Trimbench_800.so");
    using tb::services::ResourceLibraryPath;

    EXPECT_TRUE(fs::equivalent(ResourceLibraryPath(bin.string(), "en"),
                               root / "lib/trimbench/lang/en/Trimbench_800.so"));
    EXPECT_TRUE(
        fs::equivalent(ResourceLibraryPath(out.string(), "en"), out / "lang/en/Trimbench_800.so"));
    // Japanese, or a language without a pack: the library beside the program,
    // which is normally absent.
    EXPECT_EQ(ResourceLibraryPath(bin.string(), "ja"), (bin / "Trimbench_800.so").string());
    EXPECT_EQ(ResourceLibraryPath(bin.string(), "de"), (bin / "Trimbench_800.so").string());
    // A library put beside the program wins over any choice.
    touch(out / "Trimbench_800.so");
    EXPECT_EQ(ResourceLibraryPath(out.string(), "en"), (out / "Trimbench_800.so").string());
    fs::remove_all(root);
}
