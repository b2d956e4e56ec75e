// The platform's messages on Windows travel through the system's own: a
// message for a message window reaches its thread's Windows message loop,
// and a wait without a pump hook serves the thread's Windows messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/MessageWindow.h"
#include "platform/Pump.h"

namespace tb::platform {
namespace {

TEST(SystemPump, APostedMessageArrivesThroughTheThreadsOwnMessageLoop) {
    std::promise<WindowHandle> created;
    std::atomic<uintptr_t> received{0};
    std::thread owner([&] {
        WindowHandle window = CreateMessageWindow(
            [&](WindowHandle, uint32_t message, uintptr_t wParam, intptr_t) -> intptr_t {
                if (message == kWmUser + 5) {
                    received = wParam;
                    PostQuitMessage(0);
                }
                return 0;
            });
        created.set_value(window);
        // A program's plain loop: nothing of the platform's pump runs here.
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        DestroyMessageWindow(window);
    });
    WindowHandle window = created.get_future().get();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(PostWindowMessage(window, kWmUser + 5, 42));
    owner.join();
    EXPECT_EQ(received.load(), 42u);
}

std::atomic<int> systemMessages{0};

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 1) {
        ++systemMessages;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(SystemPump, AWaitWithoutAHookServesTheThreadsWindows) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrimbenchPumpTest";
    ASSERT_NE(RegisterClassExW(&windowClass), 0);
    HWND window = CreateWindowExW(0, L"TrimbenchPumpTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_APP + 1, 0, 0);
    PostMessageW(window, WM_APP + 1, 0, 0);
    InstallPumpHook({});
    PumpPendingMessages();
    EXPECT_EQ(systemMessages.load(), 2);

    // An installed hook replaces the system's pump.
    int hookRuns = 0;
    ScopedPumpHook hook([&] { ++hookRuns; });
    PostMessageW(window, WM_APP + 1, 0, 0);
    PumpPendingMessages();
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(systemMessages.load(), 2);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tb::platform
