// The calling thread's connection: every export acts on it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/MessageWindow.h"

namespace tb::tcp {

// Window messages of the status dialog.
inline constexpr uint32_t kCloseRequestMessage = 0x450;
inline constexpr uint32_t kSocketEventMessage = 0x482;

// Longest host text the connection keeps (the field holds 128 with its end).
inline constexpr size_t kMaxHostLength = 127;

// The status dialog keeps this many of its latest event lines.
inline constexpr size_t kStatusLinesKept = 256;

struct ConnectionState {
    platform::WindowHandle dialog = nullptr;
    platform::WindowHandle notifyWindow = nullptr;
    uint32_t notifyMessage = 0;
    std::string moduleFolder;
    std::string host;
    uint16_t port = 0;
    int socket = -1;
    bool connected = false;
    bool dialogReady = false;
    // The dialog's state field and its time-stamped event lines, newest last.
    std::string statusText;
    std::deque<std::string> statusLines;

    ~ConnectionState();
};

ConnectionState& ThisThreadConnection();

}  // namespace tb::tcp
