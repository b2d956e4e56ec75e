// Unloading the link library with LAN connections open leaves no thread behind.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "link/VkLGR800Comm.h"
#include "tests/lan/LanTestSupport.h"

namespace tb::link::lan::testing {
namespace {

TEST(LanUnload, LibraryEndEndsEveryWorkerThread) {
    sim::lan::LanBaseUnit unit(std::make_unique<sim::EchoDevice>(), kLogin);
    NoPorts ports;
    const size_t before = ThreadCount();
    {
        LinkLibrary link(ports, LatchRuntimeNames{}, nullptr);
        uint32_t first = 0, second = 0;
        ASSERT_EQ(link.OpenLANComm("127.0.0.1", unit.Port(), kLogin, kOption, &first), 0);
        ASSERT_EQ(link.OpenLANComm("127.0.0.1", unit.Port(), kLogin, kOption, &second), 0);
        ASSERT_EQ(link.CloseComm(second), 0);  // an idle worker too
        EXPECT_EQ(ThreadCount(), before + 2);
    }
    EXPECT_EQ(ThreadCount(), before);
}

// The shared library itself, loaded and unloaded by the program.
TEST(LanUnload, UnloadingTheSharedLibraryEndsItsWorkerThread) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's runtime may keep dlclose'd libraries loaded";
#endif
    sim::lan::LanBaseUnit unit(std::make_unique<sim::EchoDevice>(), kLogin);
    const size_t before = ThreadCount();
    void* library = dlopen(LINK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto open =
        reinterpret_cast<decltype(&VkLGR800_OpenLANComm)>(dlsym(library, "VkLGR800_OpenLANComm"));
    ASSERT_NE(open, nullptr);
    uint32_t key = 0;
    ASSERT_EQ(open("localhost", unit.Port(), kLogin, kOption, &key), 0);
    EXPECT_EQ(key, 1u);
    EXPECT_GT(ThreadCount(), before);
    ASSERT_EQ(dlclose(library), 0);
    EXPECT_EQ(ThreadCount(), before);
    EXPECT_EQ(dlopen(LINK_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
}

}  // namespace
}  // namespace tb::link::lan::testing
