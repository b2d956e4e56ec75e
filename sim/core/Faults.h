// Faults a simulated device can be told to commit on its replies.
//
// Each armed fault affects the next `count` replies (-1: every reply until
// cleared), after letting `skip` replies pass unchanged. A reply is one Send() of a device. Faults combine in the order
// they were armed, except that silence wins over everything.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tb::sim {

enum class FaultKind {
    Silence,  // the reply is not sent
    Delay,    // the reply starts `ms` later
    Split,    // the first `position` bytes, a pause of `ms`, the rest
    Short,    // only the first `position` bytes are sent
    Garble,   // the byte at `position` (negative: from the end) is XORed with `mask`
};

struct Fault {
    FaultKind kind = FaultKind::Silence;
    int count = 1;
    int ms = 0;
    int position = 0;
    uint8_t mask = 0xFF;
    int skip = 0;  // replies that pass unchanged before the fault starts

    // The same fault, starting after `replies` unchanged replies.
    Fault After(int replies) const {
        Fault later = *this;
        later.skip = replies;
        return later;
    }

    static Fault Silence(int count = 1) { return {FaultKind::Silence, count}; }
    static Fault Delay(int ms, int count = 1) { return {FaultKind::Delay, count, ms}; }
    static Fault Split(int position, int pauseMs, int count = 1) {
        return {FaultKind::Split, count, pauseMs, position};
    }
    static Fault Short(int keep, int count = 1) { return {FaultKind::Short, count, 0, keep}; }
    static Fault Garble(int position, uint8_t mask = 0xFF, int count = 1) {
        return {FaultKind::Garble, count, 0, position, mask};
    }
};

// One piece of a shaped reply: sent `pauseMs` after the previous piece.
struct ReplyPiece {
    int pauseMs = 0;
    std::vector<uint8_t> bytes;
};

class FaultInjector {
  public:
    void Arm(Fault fault);
    void Clear();
    bool Armed() const;

    // The pieces in which the reply goes out; none when silenced. Uses up
    // one reply of each armed fault.
    std::vector<ReplyPiece> Shape(std::vector<uint8_t> reply);

    std::string Describe() const;

  private:
    mutable std::mutex mutex_;
    std::vector<Fault> armed_;
};

std::string FaultName(FaultKind kind);

}  // namespace tb::sim
