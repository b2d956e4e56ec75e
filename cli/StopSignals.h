// Ctrl-C and SIGTERM during a batch (Ctrl-C and Ctrl-Break of the console
// on Windows): while a StopSignals lives, the signals do not end the process; they are noted, and a descriptor becomes readable
// so that a poll loop wakes. The batch then starts no new row, lets the
// running rows finish and prints its summary.
#pragma once

#include <csignal>

namespace tb::cli {

class StopSignals {
  public:
    // Not `catching`: the signals keep their effect (a question asked on
    // the terminal must stay interruptible).
    explicit StopSignals(bool catching = true);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool Stopped() const;
    // Readable once a signal came (for poll); -1 if no pipe could be made.
    int WakeFd() const;

  private:
    bool catching_;
#ifndef _WIN32
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
#endif
};

// Keeps the stop signals pending while a row runs in this process, so that
// no wait of the row's operation is cut short; they are seen between rows.
class SignalsHeldBack {
  public:
    SignalsHeldBack();
    ~SignalsHeldBack();
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

  private:
#ifndef _WIN32
    sigset_t previous_;
#endif
};

}  // namespace tb::cli
