// Ctrl-C and Ctrl-Break of the console during a batch. The system calls the
// handler on a thread of its own, so no wait of a running row is cut short
// and nothing needs holding back while one runs.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>

#include "cli/StopSignals.h"

namespace tb::cli {
namespace {

std::atomic<bool> gStopped{false};
int gWake[2] = {-1, -1};

BOOL WINAPI NoteStop(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    gStopped.store(true);
    if (gWake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const int ignored = _write(gWake[1], &byte, 1);
    }
    return TRUE;
}

}  // namespace

StopSignals::StopSignals(bool catching) : catching_(catching) {
    gStopped.store(false);
    if (!catching_) return;
    if (_pipe(gWake, 64, _O_BINARY | _O_NOINHERIT) != 0) gWake[0] = gWake[1] = -1;
    SetConsoleCtrlHandler(NoteStop, TRUE);
}

StopSignals::~StopSignals() {
    if (!catching_) return;
    SetConsoleCtrlHandler(NoteStop, FALSE);
    for (int& fd : gWake) {
        if (fd >= 0) _close(fd);
        fd = -1;
    }
}

bool StopSignals::Stopped() const { return gStopped.load(); }

int StopSignals::WakeFd() const { return gWake[0]; }

SignalsHeldBack::SignalsHeldBack() = default;

SignalsHeldBack::~SignalsHeldBack() = default;

}  // namespace tb::cli
