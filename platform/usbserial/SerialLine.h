// One serial line: exclusive open in raw 8N1, reads that return at once or
// wait, writes, buffer discards. SerialLine.cpp: a POSIX tty; SerialLine_win.cpp:
// a Windows COM port (its handle carried in `fd`). The port library and the
// model-890 cable (client/SerialPort.cpp, through PacedTransfer.h) both open
// their lines here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tb::usbserial {

enum class OpenStatus { Opened, Busy, CannotOpen };

struct OpenedLine {
    OpenStatus status = OpenStatus::CannotOpen;
    int fd = -1;
};

// What an opener may ask of a line beyond raw 8N1.
struct LineOptions {
    // DTR and RTS off once the line is set up (a cable powered or reset by
    // them stays quiet); a line without modem control (a pty) ignores it.
    bool modemLinesOff = false;
};

// Opens the tty for reading and writing and takes an exclusive flock on it
// (root ignores the tty's own exclusive mode, so every opener of a port,
// the simulator's busy fault included, takes this lock). The line is set to
// raw 8N1 at the given baud rate without flow control, and its input is
// emptied. A baud rate the termios interface does not offer cannot be opened.
OpenedLine OpenLine(const std::string& path, int baud, LineOptions options = {});

// Bytes already received, at most count; -1 on a port error.
int ReadAvailable(int fd, uint8_t* buffer, size_t count);

// Reads until count bytes are in or waitMs has run out; returns the count
// read or -1 on a port error. Between poll slices of at most pumpMs the
// calling thread's pending messages are pumped.
int ReadWithin(int fd, uint8_t* buffer, size_t count, int waitMs, int pumpMs);

// Writes what the output queue takes now: the count written (0 when it is
// full), -1 on a port error.
int WriteAvailable(int fd, const uint8_t* data, size_t count);

// Writes every byte, waiting at most timeoutMs for room in the output
// queue; the count written (may be short after the time-out), -1 when
// nothing could be written.
int WriteAll(int fd, const uint8_t* data, size_t count, int timeoutMs);

// Which buffer DiscardBuffer empties.
inline constexpr int kDiscardInput = 0;   // bytes received and not yet read
inline constexpr int kDiscardOutput = 1;  // bytes written and not yet sent
bool DiscardBuffer(int fd, int selector);

void CloseLine(int fd);

}  // namespace tb::usbserial
