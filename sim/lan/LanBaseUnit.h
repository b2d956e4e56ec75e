// A base unit on the LAN: listens on a loopback TCP port, greets every
// connection with the prompt "login: ", checks the login text (ended by a
// carriage return), answers "OK\r\n" or refuses with "NG\r\n", and then
// hands the connection's bytes to a device of the bench (a base unit with
// its logger) whose replies go back over the connection.
//
// Faults on demand: no prompt, a refused login, refused connections, a peer
// that closes in the middle of its next reply, a slow peer. The device's own
// fault injector (Faults()) shapes its replies as on a serial line.
//
// All device callbacks run on the unit's own thread with its state lock
// held; take LockState() to look at or change the device from elsewhere.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/core/Device.h"
#include "sim/core/Faults.h"

namespace tb::sim::lan {

inline constexpr char kDefaultLogin[] = "trimbench";
inline constexpr char kPrompt[] = "login: ";
inline constexpr char kAccepted[] = "OK\r\n";
inline constexpr char kRefused[] = "NG\r\n";

struct LanFaults {
    bool noPrompt = false;       // never sends the prompt
    bool refuseLogin = false;    // refuses every login text
    bool closeMidFrame = false;  // the next reply stops halfway and the unit hangs up
    int slowPeerMs = 0;          // every prompt, answer and reply starts this much later
};

class LanBaseUnit {
  public:
    // Listens on 127.0.0.1:port (0: a free port). Throws std::system_error
    // when the port cannot be had.
    explicit LanBaseUnit(std::unique_ptr<Device> unit, std::string login = kDefaultLogin,
                         uint16_t port = 0);
    ~LanBaseUnit();
    LanBaseUnit(const LanBaseUnit&) = delete;
    LanBaseUnit& operator=(const LanBaseUnit&) = delete;

    uint16_t Port() const { return port_; }
    Device& Unit() { return *unit_; }
    const std::string& Login() const { return login_; }
    // Shapes the device's replies (silence, delays, splits, short or garbled replies).
    FaultInjector& ReplyFaults() { return replyFaults_; }

    void SetFaults(const LanFaults& faults);
    LanFaults Faults() const;
    // Refused connections: the port is closed until this is switched off.
    void RefuseConnections(bool refuse);

    std::unique_lock<std::recursive_mutex> LockState() const;
    int ConnectionsAccepted() const { return accepted_.load(); }
    int LoginsAccepted() const { return loggedIn_.load(); }
    // The unit's port, faults and counters, then the device's state lines.
    std::string Dump() const;

  private:
    class Server;
    friend class LanSession;
    // Takes the close-mid-frame fault: true once after it was armed.
    bool TakeCloseMidFrame();

    std::unique_ptr<Device> unit_;
    std::string login_;
    uint16_t port_ = 0;
    mutable std::recursive_mutex state_;
    LanFaults faults_;
    FaultInjector replyFaults_;
    std::atomic<int> accepted_{0};
    std::atomic<int> loggedIn_{0};
    std::unique_ptr<Server> server_;
};

}  // namespace tb::sim::lan
