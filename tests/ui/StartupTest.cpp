#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <fstream>

#include "services/PageServices.h"
#include "services/Settings.h"
#include "services/StringOverride.h"
#include "app/ResourceLibrary.h"
#include "app/TrimbenchApp.h"

using tb::app::CTrimbenchApp;
using tb::app::ResourceLibrary;

namespace {

int argc = 1;
char name[] = "Trimbench2";
char* argv[] = {name, nullptr};

}  // namespace

TEST(Startup, ResourceLibraryTextsReplaceOursIncludingTheLanguageNumber) {
    CTrimbenchApp app(argc, argv, TB_TEST_RESOURCE_LIBRARY);
    ASSERT_TRUE(app.HasResourceLibrary());
    app.InitInstance();
    EXPECT_EQ(app.LanguageNumber(), 1);
    EXPECT_EQ(tb::services::LoadResString(108), "About Trimbench...");
    EXPECT_EQ(tb::services::LoadResString(1048), "選択された機器が接続されていません。");  // kept
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("KESTRUNE CORPORATION"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Trimbench2"));
}

TEST(Startup, WithoutResourceLibraryTheProgramUsesItsOwnTextsAndJapaneseLocale) {
    CTrimbenchApp app(argc, argv, "/nonexistent/Trimbench_800.so");
    EXPECT_FALSE(app.HasResourceLibrary());
    app.InitInstance();
    EXPECT_EQ(app.LanguageNumber(), 0);
    EXPECT_EQ(tb::services::LoadResString(108), "バージョン情報(&A)...");
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
