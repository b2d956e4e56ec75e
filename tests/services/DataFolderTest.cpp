#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

namespace fs = std::filesystem;
using tb::testing::ScopedEnv;
using tb::testing::TempDir;

// A home of our own, with no user-dirs file, so Documents is $HOME/Documents.
class DataFolder : public ::testing::Test {
  protected:
    TempDir home_;
    ScopedEnv homeEnv_{"HOME", home_.str()};
    ScopedEnv configEnv_{"XDG_CONFIG_HOME", home_.str() + "/.config"};
};

TEST_F(DataFolder, LivesUnderTheDocumentsFolder) {
    EXPECT_EQ(DataFolderPath(), home_.str() + "/Documents/Kestrune Corp/Trimbench 800");
    // Asking for the path creates the documents folder, not the data folders.
    EXPECT_TRUE(fs::is_directory(home_.path() / "Documents"));
    EXPECT_FALSE(fs::exists(home_.path() / "Documents" / "Kestrune Corp"));
}

TEST_F(DataFolder, EnsureDataFoldersCreatesBothLevels) {
    EnsureDataFolders();
    EXPECT_TRUE(fs::is_directory(home_.path() / "Documents" / "Kestrune Corp" / "Trimbench 800"));
    EnsureDataFolders();  // again: nothing changes, nothing fails
    EXPECT_TRUE(fs::is_directory(DataFolderPath()));
}

TEST_F(DataFolder, FallsBackToTheProgramFolderWhenThePathWouldBeTooLong) {
    fs::path deep = home_.path();
    while (deep.string().size() < kMaxPathLength) deep /= std::string(40, 'd');
    fs::create_directories(deep);
    ScopedEnv deepHome("HOME", deep.string());
    EXPECT_EQ(DataFolderPath(), ProgramFolder());
}

TEST(EnsureDirectory, CreatesOneLevelOnly) {
    TempDir root;
    EXPECT_TRUE(EnsureDirectory(root.str()));
    EXPECT_TRUE(EnsureDirectory(root.str() + "/one"));
    EXPECT_TRUE(fs::is_directory(root.path() / "one"));
    EXPECT_FALSE(EnsureDirectory(root.str() + "/missing/two"));
    EXPECT_FALSE(fs::exists(root.path() / "missing"));
}

TEST(EnsureDirectory, RefusesFilesEmptyAndOverlongPaths) {
    TempDir root;
    std::ofstream(root.path() / "file") << "x";
    EXPECT_FALSE(EnsureDirectory(root.str() + "/file"));
    EXPECT_FALSE(EnsureDirectory(""));
    EXPECT_FALSE(EnsureDirectory(root.str() + "/" + std::string(kMaxPathLength, 'n')));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
    const fs::path folder = ProgramFolder();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::exists(folder / "test_services"));
}

}  // namespace
}  // namespace tb::services
