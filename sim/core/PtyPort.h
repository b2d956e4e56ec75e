// A pseudo-terminal that a simulated device serves: the device side holds
// the master, clients open the slave path like any serial port.
//
// The port keeps a descriptor of its own slave open, so a client may close
// and reopen the slave as often as it likes: the master never sees a
// hang-up and the line settings persist. Bytes the device sent that no
// client read stay queued for the next opener, as they stay in a real
// line's receive buffer until someone reads or purges them.
#pragma once

#include <atomic>
#include <string>

namespace tb::sim {

class PtyPort {
  public:
    PtyPort();  // throws std::system_error when no pty can be had
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Keeps the port busy for clients: takes the same exclusive flock that
    // every opener takes. False when a client holds the port right now.
    // Not to be called from two threads at once; Busy() may be asked anywhere.
    bool SetBusy(bool busy);
    bool Busy() const { return busyFd_.load() >= 0; }

  private:
    int master_ = -1;
    int slaveKeeper_ = -1;
    std::atomic<int> busyFd_{-1};
    std::string slavePath_;
};

}  // namespace tb::sim
