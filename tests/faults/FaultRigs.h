// The operation families of the fault matrix, each against its own
// simulated device: the write a technician's program makes, what the device
// holds afterwards, and the faults the bench can inject on that path.
#pragma once

#include <memory>
#include <string>

namespace tb::faults {

// What a write ended with, as the caller saw it.
struct WriteOutcome {
    bool succeeded = false;
    std::string said;  // the message shown, or the result code
};

class Rig {
  public:
    virtual ~Rig() = default;
    // Writes the rig's new correction.
    virtual WriteOutcome Write() = 0;
    // Reads the correction back through the same path, where the rig has a read.
    virtual WriteOutcome Read() { return {false, "no read on this path"}; }
    // The correction the device holds, as text that compares exactly.
    virtual std::string Held() = 0;
    // What the caller must be told of a failure; empty: any failure code.
    virtual std::string FailureText() const = 0;
    // Arms the fault of the matrix's row name; false when the rig has no
    // such fault (the table then disagrees with the rig).
    virtual bool Arm(const std::string& fault) = 0;
    // Disarms every fault; an unplugged device is plugged in again.
    virtual void ClearFaults() = 0;
    // The simulated devices' state and armed faults, for a failure's report.
    virtual std::string Dump() = 0;
};

std::unique_ptr<Rig> MakeBaseUnitRig();
std::unique_ptr<Rig> MakeCableRig();
std::unique_ptr<Rig> MakeLgr870Rig();
std::unique_ptr<Rig> MakeLgr875Rig();
std::unique_ptr<Rig> MakeLanRig();

}  // namespace tb::faults
