#include "link/lan/LanWorker.h"

#include <chrono>
#include <system_error>

#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "link/lan/LanMessages.h"
#include "link/lan/WorkerSteps.h"
#include "platform/MessageQueue.h"
#include "platform/Pump.h"
#include "tcp/VkTcpCom800.h"

namespace tb::link::lan {
namespace {

using platform::WindowHandle;

constexpr uint32_t kIdlePauseMs = 1;

}  // namespace

LanWorker::~LanWorker() {
    Dismiss();
    Join();
}

bool LanWorker::Start() {
    Join();  // an earlier thread of this entry that has ended
    running_.store(true, std::memory_order_release);
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        running_.store(false, std::memory_order_release);
        return false;
    }
    entry_.thread = this;
    return true;
}

WindowHandle LanWorker::Dialog() const {
    return static_cast<WindowHandle>(std::atomic_ref<void*>(entry_.dialog).load());
}

void LanWorker::SetDialog(WindowHandle dialog) {
    std::atomic_ref<void*>(entry_.dialog).store(dialog);
}

void LanWorker::Dismiss() {
    if (WindowHandle dialog = Dialog()) platform::PostWindowMessage(dialog, platform::kWmClose);
}

void LanWorker::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void LanWorker::Run() {
    // The steps' waits pump this thread's queue: socket events, the connect
    // event and a close request all arrive through it.
    platform::ScopedPumpHook pump(platform::MessageQueuePumpHook());
    WindowHandle dialog = platform::CreateMessageWindow(
        [this](WindowHandle self, uint32_t message, uintptr_t wParam, intptr_t lParam) {
            return OnMessage(self, message, wParam, lParam);
        });
    if (!dialog) {
        link_.Log("<!>Create Dlg Err(%08x)", entry_.key);
        StoreShared(entry_.result, kNoStatusDialog);
    } else {
        SetDialog(dialog);
        platform::PostWindowMessage(dialog, kConnectRequest);
        while (platform::IsMessageWindow(dialog)) {
            if (!platform::DispatchOneMessage()) platform::WaitForThreadMessage(kIdlePauseMs);
        }
    }
    running_.store(false, std::memory_order_release);
}

intptr_t LanWorker::OnMessage(WindowHandle dialog, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    switch (message) {
        case kConnectRequest:
            StoreShared(entry_.result, ConnectStep(link_, entry_, dialog));
            return 0;
        case kConnectEvent:
            OnConnectEvent(static_cast<intptr_t>(wParam));
            return 0;
        case kSendRequest:
            StoreShared(entry_.result, SendStep(link_, entry_));
            delete[] entry_.sendData;
            entry_.sendData = nullptr;
            entry_.sendLength = 0;
            StoreShared(entry_.sendState, kRequestDone);
            return 0;
        case kReceiveRequest:
            ReceiveStep(link_, entry_);
            StoreShared(entry_.recvState, kRequestDone);
            return 0;
        case kCloseRequest:
            VkTcpCom_DisConnect();
            StoreShared(entry_.closeState, kRequestDone);
            return 0;
        case platform::kWmClose:
            platform::DestroyMessageWindow(dialog);
            SetDialog(nullptr);
            return 0;
        default:  // kNoRequest among them
            return platform::DefaultWindowProc(dialog, message, wParam, lParam);
    }
}

void LanWorker::OnConnectEvent(intptr_t outcome) {
    // A connect event that arrives after its connect has given up (a late
    // one still queued) must not touch an entry that is idle again.
    if (LoadShared(entry_.connectState) != kRequestPending) return;
    if (outcome == kConnectEventRefused) {
        StoreShared(entry_.connectState, kConnectRefused);
        return;
    }
    const int login = LoginStep(link_, entry_);
    StoreShared(entry_.connectState, login == 0                  ? kRequestDone
                                     : login == kLanLoginRefused ? kConnectLoginRefused
                                                                 : kConnectLoginFailed);
}

}  // namespace tb::link::lan
