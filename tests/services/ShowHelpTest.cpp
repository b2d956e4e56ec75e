#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"
#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "services/Settings.h"

namespace tb::services {
namespace {

namespace fs = std::filesystem;
using tb::testing::ScopedEnv;
using tb::testing::TempDir;

const std::string kHelpFailed = "ヘルプファイルが起動できません。";

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "<html><body>manual</body></html>";
}

// An installed tree (<root>/bin beside <root>/share/trimbench/manual) and a
// build tree (everything in <root>/build/out).
class ManualLayout : public ::testing::Test {
  protected:
    TempDir root_;
    fs::path bin_ = root_.path() / "bin";
    fs::path out_ = root_.path() / "build/out";
    fs::path installed_ = root_.path() / "share/trimbench/manual";
    void SetUp() override {
        fs::create_directories(bin_);
        fs::create_directories(out_);
    }
};

TEST_F(ManualLayout, FindsTheManualOfTheLanguageInstalledOrInTheBuildTree) {
    Touch(installed_ / "ja/index.html");
    Touch(installed_ / "en/index.html");
    Touch(out_ / "manual/ja/index.html");

    EXPECT_TRUE(fs::equivalent(ManualPath(bin_.string(), "en"), installed_ / "en/index.html"));
    EXPECT_TRUE(fs::equivalent(ManualPath(bin_.string(), "ja"), installed_ / "ja/index.html"));
    EXPECT_TRUE(fs::equivalent(ManualPath(out_.string(), "ja"), out_ / "manual/ja/index.html"));
    // A language without a manual of its own gets the Japanese one.
    EXPECT_TRUE(fs::equivalent(ManualPath(out_.string(), "en"), out_ / "manual/ja/index.html"));
}

TEST_F(ManualLayout, WithoutAnyManualThePathNamesTheMissingInstalledOne) {
    const fs::path path = ManualPath(bin_.string(), "en");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(path.filename(), "index.html");
    EXPECT_EQ(path.parent_path().filename(), "ja");
}

TEST_F(ManualLayout, OpensAnExistingPageOrReportsMessage1006) {
    const fs::path page = installed_ / "ja/index.html";
    Touch(page);
    std::string openedPath;
    bool viewerAnswer = true;
    SetHelpOpener([&](const std::string& file) {
        openedPath = file;
        return viewerAnswer;
    });
    ScriptedMessageBoxes boxes;

    ShowHelpFile(page.string());
    EXPECT_EQ(openedPath, page.string());
    EXPECT_EQ(boxes.Count(), 0u);

    viewerAnswer = false;  // no viewer took the page
    ShowHelpFile(page.string());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kHelpFailed);
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);

    // A missing page: the viewer is not even asked.
    openedPath.clear();
    boxes.Clear();
    ShowHelpFile((installed_ / "en/index.html").string());
    EXPECT_TRUE(openedPath.empty());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kHelpFailed);
    SetHelpOpener(nullptr);
}

TEST(InterfaceLanguage, ComesFromTheEnvironmentElseTheSettingsAndOnlyAsAPlainCode) {
    TempDir dir;
    const std::string file = dir.str() + "/Trimbench2.conf";
    ScopedEnv store("TRIMBENCH_SETTINGS_FILE", file);
    EXPECT_EQ(ReadInterfaceLanguage(), "ja");
    std::ofstream(file) << "[Interface]\nLanguage=en\n";
    EXPECT_EQ(ReadInterfaceLanguage(), "en");
    for (const auto& [chosen, expected] :
         std::initializer_list<std::pair<const char*, const char*>>{
             {"ja", "ja"}, {"de", "de"}, {"../en", "ja"}, {"EN", "ja"}, {"english", "ja"}}) {
        ScopedEnv language("TRIMBENCH_LANGUAGE", chosen);
        EXPECT_EQ(ReadInterfaceLanguage(), expected) << chosen;
    }
}

}  // namespace
}  // namespace tb::services
