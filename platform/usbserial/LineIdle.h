// A short wait on an open serial line while a paced transfer has nothing
// to move (PacedTransfer.cpp); one source per operating system.
#pragma once

namespace tb::usbserial {

enum class LineDirection { Receive, Send };

// Returns once the line can move bytes in `direction` or `ms` have passed.
void WaitForLine(int fd, LineDirection direction, int ms);

}  // namespace tb::usbserial
