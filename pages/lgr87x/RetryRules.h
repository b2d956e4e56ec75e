// How the direct-USB pages repeat a library call that failed. Every pause
// pumps the window's messages, so the window stays alive while it waits.
#pragma once

#include <cstdint>
#include <functional>

namespace tb::pages::lgr87x {

inline constexpr int kAttempts = 3;
inline constexpr uint32_t kReadRetryMs = 100;
inline constexpr uint32_t kWriteRetryMs = 2600;
// The logger refuses every write while it records; asking again is useless.
inline constexpr int kRecordingCode = -9;

// A read: up to three calls, 100 ms after each that fails. The last code.
int CallWithReadRetry(const std::function<int()>& call);

// A write: up to three attempts, ending at once on 0 or on the recording
// code, 2600 ms after each other failure. The last code.
int CallWithWriteRetry(const std::function<int()>& call);

}  // namespace tb::pages::lgr87x
