#include <windows.h>

#include "platform/usbserial/LineIdle.h"

namespace tb::usbserial {

// A COM port opened by SerialLine_win.cpp answers reads at once with what
// it holds (its time-outs say so), and a handle offers no readiness wait
// without overlapped I/O: the turn is a plain sleep.
void WaitForLine(int, LineDirection, int ms) { ::Sleep(static_cast<DWORD>(ms)); }

}  // namespace tb::usbserial
