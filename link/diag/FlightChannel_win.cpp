// The flight channel on Windows: the mailslot \\.\mailslot\<name>. The
// receiver owns the slot; senders open it for one line and close it again.
#include <windows.h>

#include "link/diag/FlightChannel.h"

namespace tb::link::diag {
namespace {

constexpr DWORD kMaxLineBytes = 1024;

std::string SlotPath(const std::string& name) { return "\\\\.\\mailslot\\" + name; }

HANDLE HandleOf(intptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

FlightReceiver::FlightReceiver(const std::string& name) {
    HANDLE slot = CreateMailslotA(SlotPath(name).c_str(), kMaxLineBytes, 0, nullptr);
    if (slot == INVALID_HANDLE_VALUE) {
        error_ = static_cast<int>(GetLastError());
        return;
    }
    fd_ = reinterpret_cast<intptr_t>(slot);
}

FlightReceiver::~FlightReceiver() {
    if (fd_ >= 0) CloseHandle(HandleOf(fd_));
}

std::optional<std::string> FlightReceiver::Next() {
    if (fd_ < 0) return std::nullopt;
    DWORD next = 0;
    DWORD waiting = 0;
    if (!GetMailslotInfo(HandleOf(fd_), nullptr, &next, &waiting, nullptr) ||
        next == MAILSLOT_NO_MESSAGE || waiting == 0)
        return std::nullopt;
    char buffer[kMaxLineBytes];
    DWORD got = 0;
    if (next > sizeof buffer || !ReadFile(HandleOf(fd_), buffer, sizeof buffer, &got, nullptr))
        return std::nullopt;
    return std::string(buffer, got);
}

bool SendFlightLine(const std::string& name, const std::string& line) {
    if (line.size() > kMaxLineBytes) return false;
    HANDLE slot = CreateFileA(SlotPath(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (slot == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool sent =
        WriteFile(slot, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
        written == line.size();
    CloseHandle(slot);
    return sent;
}

}  // namespace tb::link::diag
