#include "tcp/StatusDialog.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/SocketEvents.h"
#include "tcp/TcpConnection.h"

namespace tb::tcp {
namespace {

using platform::WindowHandle;

constexpr char kReadableLine[] = "データ受信可能";
constexpr char kWritableLine[] = "データ送信可能";
constexpr char kDisconnectedLine[] = "ネットワーク切断";

// wParam of the connect result posted to the notify window.
constexpr intptr_t kConnectRefused = -13;

void AddEventLine(ConnectionState& state, const char* text) {
    state.statusText = StatusTimeStamp() + " " + text;
    state.statusLines.push_back(state.statusText);
    if (state.statusLines.size() > kStatusLinesKept) state.statusLines.pop_front();
}

void ForwardConnectResult(const ConnectionState& state, int error) {
    if (!state.notifyWindow) return;
    const intptr_t result = error == 0 ? 0 : kConnectRefused;
    platform::PostWindowMessage(state.notifyWindow, state.notifyMessage,
                                static_cast<uintptr_t>(result));
}

void OnSocketEvent(ConnectionState& state, WindowHandle dialog, intptr_t lParam) {
    switch (platform::SocketEventOf(lParam)) {
        case platform::kSocketRead:
            AddEventLine(state, kReadableLine);
            break;
        case platform::kSocketWrite:
            AddEventLine(state, kWritableLine);
            break;
        case platform::kSocketConnect:
            ForwardConnectResult(state, platform::SocketErrorOf(lParam));
            break;
        case platform::kSocketClose:
            AddEventLine(state, kDisconnectedLine);
            platform::PostWindowMessage(dialog, kCloseRequestMessage);
            state.dialogReady = false;
            break;
        default:
            break;
    }
}

void CloseAndDestroy(ConnectionState& state, WindowHandle dialog) {
    if (state.connected) CloseConnection(state);
    platform::DestroyMessageWindow(dialog);
}

intptr_t StatusDialogProc(WindowHandle dialog, uint32_t message, uintptr_t wParam,
                          intptr_t lParam) {
    ConnectionState& state = ThisThreadConnection();
    switch (message) {
        case kSocketEventMessage:
            OnSocketEvent(state, dialog, lParam);
            return 0;
        case kCloseRequestMessage:
            CloseAndDestroy(state, dialog);
            return 0;
        case platform::kWmCommand:
            if (wParam == platform::kIdCancel) {  // "中止"
                CloseAndDestroy(state, dialog);
                state.notifyWindow = nullptr;
            }
            return 0;
        case platform::kWmDestroy:
            // However the dialog goes (its parent may take it along), the
            // socket whose events it received goes with it.
            if (state.connected) CloseConnection(state);
            if (state.dialog == dialog) state.dialog = nullptr;
            return 0;
        default:
            return platform::DefaultWindowProc(dialog, message, wParam, lParam);
    }
}

}  // namespace

bool CreateStatusDialog(ConnectionState& state) {
    WindowHandle parent =
        platform::IsMessageWindow(state.notifyWindow) ? state.notifyWindow : nullptr;
    if (state.notifyWindow && !parent) return false;  // the notify window is gone
    state.dialog = platform::CreateMessageWindow(StatusDialogProc, parent);
    if (!state.dialog) return false;
    state.statusText.clear();
    state.statusLines.clear();
    state.dialogReady = true;
    return true;
}

std::string StatusTimeStamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d %02d(%03d)", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

}  // namespace tb::tcp
