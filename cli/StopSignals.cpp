#include "cli/StopSignals.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace tb::cli {
namespace {

std::atomic<bool> gStopped{false};
int gWake[2] = {-1, -1};

extern "C" void NoteStop(int) {
    gStopped.store(true);
    if (gWake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = write(gWake[1], &byte, 1);
    }
}

}  // namespace

StopSignals::StopSignals(bool catching) : catching_(catching) {
    gStopped.store(false);
    if (!catching_) return;
    if (pipe2(gWake, O_CLOEXEC | O_NONBLOCK) != 0) gWake[0] = gWake[1] = -1;
    struct sigaction action {};
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    // Reads and writes in progress go on: a row's exchange is never cut.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
}

StopSignals::~StopSignals() {
    if (!catching_) return;
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    for (int& fd : gWake) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
}

bool StopSignals::Stopped() const { return gStopped.load(); }

int StopSignals::WakeFd() const { return gWake[0]; }

SignalsHeldBack::SignalsHeldBack() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, &previous_);
}

SignalsHeldBack::~SignalsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace tb::cli
