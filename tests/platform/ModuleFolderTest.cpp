#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/DeviceIds.h"
#include "platform/ModuleFolder.h"

namespace {

using tb::platform::ModuleFolder;
namespace fs = std::filesystem;

void FunctionOfThisProgram() {}

// Whether `folder` holds a file whose name has `part` in it (the systems
// name the same program or library a little differently).
bool HoldsFileNamed(const std::string& folder, const std::string& part) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(part) != std::string::npos) return true;
    return false;
}

TEST(ModuleFolder, IsTheFolderOfTheModuleThatHoldsTheAddress) {
    const std::string program =
        ModuleFolder(reinterpret_cast<const void*>(&FunctionOfThisProgram));
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(HoldsFileNamed(program, "test_platform"));

    const std::string library =
        ModuleFolder(reinterpret_cast<const void*>(&tb::platform::FormatVidPid));
    ASSERT_FALSE(library.empty());
    EXPECT_TRUE(HoldsFileNamed(library, "TrimbenchPlatform"));
    EXPECT_NE(library.back(), '/');
}

TEST(ModuleFolder, IsEmptyForAnAddressOfNoModule) {
    const auto heap = std::make_unique<int>(0);
    EXPECT_EQ(ModuleFolder(heap.get()), "");
}

}  // namespace
