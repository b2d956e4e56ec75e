// Result codes of the link library's exports. Success is 0 (or a positive
// count or length where an export says so).
#pragma once

#include "platform/usbserial/PortResults.h"

namespace tb::link {

// The port library's own codes, passed on.
inline constexpr int kPortBusy = usbserial::kPortBusy;              // busy after every retry
inline constexpr int kPortCannotOpen = usbserial::kPortCannotOpen;  // cannot be opened
inline constexpr int kNoReceiveBuffer = -10;   // receive buffer missing
inline constexpr int kNoTableEntry = -11;      // entry cannot be created, or no free LAN key
inline constexpr int kUnknownKey = -12;        // unknown key or transport mismatch
inline constexpr int kNoStatusDialog = -14;    // LAN status dialog cannot be created
inline constexpr int kNoWorkerThread = -15;    // LAN worker thread cannot be created
inline constexpr int kArgumentError = -16;     // bad argument
inline constexpr int kLanConnectFailed = -20;  // LAN connection failed (or no LAN path)
inline constexpr int kUsbOpenFailed = -22;     // serial not in the port table, or open failed
inline constexpr int kLanBusy = -24;           // LAN request still in progress
inline constexpr int kSendFailed = -25;        // send failed
inline constexpr int kBadFrameStart = -26;     // not 'T', or bad frame kind
inline constexpr int kFrameTooLong = -27;      // frame longer than the caller's capacity
inline constexpr int kTimeout = -28;           // time-out
inline constexpr int kLanLoginRefused = -29;   // LAN login refused
inline constexpr int kLanLoginFailed = -30;    // LAN login failed
inline constexpr int kNoLatchRuntime = -31;    // bridge run-time library or its latch call missing

}  // namespace tb::link
