// The exports of libVkTcpCom800.so. Each acts on the calling thread's
// connection (ConnectionState.h); none lets an exception out.
#include "tcp/VkTcpCom800.h"

#include <cerrno>
#include <cstring>

#include "platform/Clock.h"
#include "platform/Pump.h"
#include "platform/SocketEvents.h"
#include "tcp/StatusDialog.h"
#include "tcp/TcpConnection.h"

namespace {

using tb::tcp::ConnectionState;
using tb::tcp::ThisThreadConnection;

constexpr int kDialogExists = -10;
constexpr int kStartFailed = -12;
constexpr int kDialogFailed = -13;
constexpr int kSendFailed = -1;
constexpr int kDisconnectPumps = 50;

bool StoreHost(ConnectionState& state, const char* host) {
    state.host.clear();
    if (!host) return false;
    const size_t length = strnlen(host, tb::tcp::kMaxHostLength + 1);
    if (length > tb::tcp::kMaxHostLength) return false;  // never cut a host to another one
    state.host.assign(host, length);
    return true;
}

int Connect(const char* host, int port) {
    ConnectionState& state = ThisThreadConnection();
    if (state.dialog) return kDialogExists;
    const bool hostUsable = StoreHost(state, host);
    state.port = (port > 0 && port <= 0xFFFF) ? static_cast<uint16_t>(port) : 0;
    if (!tb::tcp::CreateStatusDialog(state)) return kDialogFailed;
    state.connected = false;
    state.dialogReady = false;
    if (!hostUsable || !tb::tcp::StartConnection(state)) return kStartFailed;
    return 0;
}

int Send(const uint8_t* data, int length) {
    ConnectionState& state = ThisThreadConnection();
    if (!state.connected || state.socket < 0 || !data) return kSendFailed;
    const auto count = static_cast<uint16_t>(length);  // the length travels as 16 bits
    bool wouldBlock = false;
    const int sent = tb::tcp::SendNow(state.socket, data, count, wouldBlock);
    if (sent >= 0) return sent;
    if (wouldBlock) {
        tb::platform::ReenableSocketEvent(state.socket, tb::platform::kSocketWrite);
        return 0;
    }
    return kSendFailed;
}

int Recv(uint8_t* buffer, int size) {
    ConnectionState& state = ThisThreadConnection();
    if (!state.connected || state.socket < 0) {
        errno = ENOTCONN;
        return 0;
    }
    if (!buffer || size <= 0) {
        errno = EINVAL;
        return 0;
    }
    const int received = tb::tcp::ReceiveNow(state.socket, buffer, static_cast<size_t>(size));
    tb::platform::ReenableSocketEvent(state.socket, tb::platform::kSocketRead);
    return received;
}

int DisConnect() {
    ConnectionState& state = ThisThreadConnection();
    if (state.dialog) tb::platform::SendWindowMessage(state.dialog, tb::tcp::kCloseRequestMessage);
    for (int i = 0; i < kDisconnectPumps; ++i) {
        tb::platform::PumpPendingMessages();
        tb::platform::SleepMs(1);
    }
    return 0;
}

template <typename Call>
int Guarded(Call call, int onException) {
    try {
        return call();
    } catch (...) {
        return onException;
    }
}

}  // namespace

extern "C" {

TB_EXPORT int VkTcpCom_SetHWND(VkWindowHandle window, uint32_t message) {
    ConnectionState& state = ThisThreadConnection();
    state.notifyWindow = window;
    state.notifyMessage = message;
    return 0;
}

TB_EXPORT int VkTcpCom_Connect(const char* host, int port) {
    return Guarded([&] { return Connect(host, port); }, kStartFailed);
}

TB_EXPORT int VkTcpCom_Send(const uint8_t* data, int length) {
    return Guarded([&] { return Send(data, length); }, kSendFailed);
}

TB_EXPORT int VkTcpCom_Recv(uint8_t* buffer, int size) {
    return Guarded([&] { return Recv(buffer, size); }, 0);
}

TB_EXPORT int VkTcpCom_DisConnect(void) {
    return Guarded([] { return DisConnect(); }, 0);
}

}  // extern "C"
