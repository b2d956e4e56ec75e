// One serial line on a Windows COM port: CreateFile without sharing (the
// system refuses a second opener), SetCommState for raw 8N1, and reads that
// the port's time-outs make return at once or after a slice of waiting.
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "platform/Pump.h"
#include "platform/usbserial/SerialLine.h"

namespace tb::usbserial {
namespace {

// The rates a line offers on every system the library runs on.
constexpr std::array<int, 13> kBaudRates = {300,   600,   1200,   2400,   4800,   9600,  19200,
                                            38400, 57600, 115200, 230400, 460800, 921600};

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd)); }

bool ConfigureRaw(HANDLE port, int baud, LineOptions options) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) return false;
    dcb.BaudRate = static_cast<DWORD>(baud);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = options.modemLinesOff ? DTR_CONTROL_DISABLE : DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = options.modemLinesOff ? RTS_CONTROL_DISABLE : RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(port, &dcb) != 0;
}

// Reads return what has arrived; with waitMs > 0 they wait that long for
// the first byte when nothing has.
bool SetReadWait(HANDLE port, DWORD waitMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    return SetCommTimeouts(port, &timeouts) != 0;
}

bool SetWriteWait(HANDLE port, DWORD waitMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = waitMs;
    return SetCommTimeouts(port, &timeouts) != 0;
}

int ReadNow(HANDLE port, uint8_t* buffer, size_t count) {
    DWORD got = 0;
    if (!ReadFile(port, buffer, static_cast<DWORD>(std::min<size_t>(count, MAXDWORD)), &got,
                  nullptr))
        return -1;
    return static_cast<int>(got);
}

using SteadyClock = std::chrono::steady_clock;

int MsLeft(SteadyClock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

}  // namespace

OpenedLine OpenLine(const std::string& path, int baud, LineOptions options) {
    if (std::find(kBaudRates.begin(), kBaudRates.end(), baud) == kBaudRates.end()) return {};
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        return {busy ? OpenStatus::Busy : OpenStatus::CannotOpen, -1};
    }
    // A handle value fits the library's 32-bit handle (the system keeps
    // handles below 2^24); one that would not is refused, never cut.
    const auto value = reinterpret_cast<intptr_t>(port);
    if (value <= 0 || value > INT32_MAX || GetFileType(port) != FILE_TYPE_CHAR ||
        !ConfigureRaw(port, baud, options) || !SetReadWait(port, 0)) {
        CloseHandle(port);
        return {};
    }
    // Bytes that came before this open (the rest of a reply that an earlier
    // opener gave up on) answer nothing this opener will ask.
    PurgeComm(port, PURGE_RXCLEAR);
    return {OpenStatus::Opened, static_cast<int>(value)};
}

int ReadAvailable(int fd, uint8_t* buffer, size_t count) {
    if (count == 0) return 0;
    HANDLE port = HandleOf(fd);
    if (!SetReadWait(port, 0)) return -1;
    return ReadNow(port, buffer, count);
}

int ReadWithin(int fd, uint8_t* buffer, size_t count, int waitMs, int pumpMs) {
    HANDLE port = HandleOf(fd);
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(std::max(0, waitMs));
    size_t got = 0;
    int slice = 0;  // the first read takes what has arrived without waiting
    while (true) {
        if (!SetReadWait(port, static_cast<DWORD>(slice))) return -1;
        int n = count > got ? ReadNow(port, buffer + got, count - got) : 0;
        if (n < 0) return -1;
        got += static_cast<size_t>(n);
        int left = MsLeft(deadline);
        if (got == count || left == 0) break;
        platform::PumpPendingMessages();
        slice = std::max(1, std::min(left, pumpMs));
    }
    return static_cast<int>(got);
}

int WriteAvailable(int fd, const uint8_t* data, size_t count) {
    if (count == 0) return 0;
    // The shortest write wait the port offers: what the queue takes at once.
    HANDLE port = HandleOf(fd);
    if (!SetWriteWait(port, 1)) return -1;
    DWORD written = 0;
    const BOOL done = WriteFile(port, data, static_cast<DWORD>(std::min<size_t>(count, MAXDWORD)),
                                &written, nullptr);
    SetReadWait(port, 0);
    return !done && written == 0 ? -1 : static_cast<int>(written);
}

int WriteAll(int fd, const uint8_t* data, size_t count, int timeoutMs) {
    HANDLE port = HandleOf(fd);
    if (!SetWriteWait(port, static_cast<DWORD>(std::max(1, timeoutMs)))) return -1;
    DWORD written = 0;
    const BOOL done = WriteFile(port, data, static_cast<DWORD>(std::min<size_t>(count, MAXDWORD)),
                                &written, nullptr);
    SetReadWait(port, 0);
    if (!done && written == 0) return -1;
    return count > 0 && written == 0 ? -1 : static_cast<int>(written);
}

bool DiscardBuffer(int fd, int selector) {
    switch (selector) {
        case kDiscardInput:
            return PurgeComm(HandleOf(fd), PURGE_RXCLEAR | PURGE_RXABORT) != 0;
        case kDiscardOutput:
            return PurgeComm(HandleOf(fd), PURGE_TXCLEAR | PURGE_TXABORT) != 0;
        default:
            return false;
    }
}

void CloseLine(int fd) { CloseHandle(HandleOf(fd)); }

}  // namespace tb::usbserial
