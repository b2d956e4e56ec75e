// Window messages between a LAN connection's caller and its worker thread,
// and the states of the requests they carry.
#pragma once

#include <atomic>
#include <cstdint>

namespace tb::link::lan {

// Requests posted to the worker's dialog.
inline constexpr uint32_t kConnectRequest = 0x5F4;
inline constexpr uint32_t kSendRequest = 0x5F5;
inline constexpr uint32_t kReceiveRequest = 0x5F6;
inline constexpr uint32_t kCloseRequest = 0x5F7;
inline constexpr uint32_t kNoRequest = 0x5F8;
// The socket library's connect result (wParam 0 connected, -13 refused).
inline constexpr uint32_t kConnectEvent = 0x590;
inline constexpr intptr_t kConnectEventRefused = -13;

// Connect states beyond idle, requested and done.
inline constexpr int32_t kConnectLoginFailed = 12;
inline constexpr int32_t kConnectLoginRefused = 13;
inline constexpr int32_t kConnectRefused = -1;

// Outcome of a step in the entry's result field.
inline constexpr int32_t kStepPending = 0;
inline constexpr int32_t kStepSucceeded = 1;
inline constexpr int32_t kStepFailed = -1;

// Time limits of the worker's steps.
inline constexpr int kConnectTimeoutSec = 20;
inline constexpr uint32_t kLoginReplyTimeoutMs = 10000;
inline constexpr uint32_t kLoginSendPauseMs = 100;
inline constexpr uint32_t kSendTimeoutMs = 20000;
inline constexpr int kLanDefaultTimeoutSec = 10;

// The caller and the worker share an entry's request fields: the writer of a
// request fills buffers first and then stores the state, the reader loads
// the state before it looks at the buffers.
inline int32_t LoadShared(int32_t& field) {
    return std::atomic_ref<int32_t>(field).load(std::memory_order_acquire);
}
inline void StoreShared(int32_t& field, int32_t value) {
    std::atomic_ref<int32_t>(field).store(value, std::memory_order_release);
}

}  // namespace tb::link::lan
