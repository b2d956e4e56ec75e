#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::app {
namespace {

const std::string kHelpFailed = "ヘルプファイルが起動できません。";

// One case, because the help file lives in the shared program folder.
TEST(ShowHelp, OpensTheHelpFileOrReportsMessage1006) {
    const std::filesystem::path path = HelpFilePath();
    EXPECT_EQ(path.filename(), "Trimbench_800.chm");
    EXPECT_EQ(path.parent_path(), std::filesystem::path(ProgramFolder()));

    std::string openedPath;
    bool viewerAnswer = true;
    SetHelpOpener([&](const std::string& file) {
        openedPath = file;
        return viewerAnswer;
    });
    ScriptedMessageBoxes boxes;

    const bool createdHere = !std::filesystem::exists(path);
    if (createdHere) {
        // No file: the viewer is not even asked.
        ShowHelp();
        EXPECT_TRUE(openedPath.empty());
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Last().text, kHelpFailed);
        EXPECT_EQ(boxes.Last().icon, MsgIcon::Warning);
        std::ofstream(path) << "help";
    }

    boxes.Clear();
    ShowHelp();
    EXPECT_EQ(openedPath, path.string());
    EXPECT_EQ(boxes.Count(), 0u);

    viewerAnswer = false;  // no viewer for the file
    ShowHelp();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kHelpFailed);

    SetHelpOpener(nullptr);
    if (createdHere) std::filesystem::remove(path);
}

}  // namespace
}  // namespace tb::app
