#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::services {
namespace {

const std::string kHelpFailed = "ヘルプファイルが起動できません。";

// The test program runs from a folder of its own (see CMakeLists.txt), so
// the help file is absent until the test writes it.
TEST(ShowHelp, OpensTheHelpFileOrReportsMessage1006) {
    const std::filesystem::path path = HelpFilePath();
    EXPECT_EQ(path.filename(), "Trimbench_800.chm");
    EXPECT_EQ(path.parent_path(), std::filesystem::path(ProgramFolder()));
    ASSERT_FALSE(std::filesystem::exists(path)) << path << " is left from an earlier run";

    std::string openedPath;
    bool viewerAnswer = true;
    SetHelpOpener([&](const std::string& file) {
        openedPath = file;
        return viewerAnswer;
    });
    ScriptedMessageBoxes boxes;

    // No file: the viewer is not even asked.
    ShowHelp();
    EXPECT_TRUE(openedPath.empty());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kHelpFailed);
    EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);
    std::ofstream(path) << "help";

    boxes.Clear();
    ShowHelp();
    EXPECT_EQ(openedPath, path.string());
    EXPECT_EQ(boxes.Count(), 0u);

    viewerAnswer = false;  // no viewer for the file
    ShowHelp();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kHelpFailed);

    SetHelpOpener(nullptr);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tb::services
