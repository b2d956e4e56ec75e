// The faults a base unit commits on demand, by name, as faults of its line:
//   garbled-check  the reply's check bytes are wrong
//   wrong-header   the reply does not start with 'T'
//   bad-kind       the reply's kind byte is not one of the link's kinds
//   split          the reply comes in two pieces, 300 ms apart
//   short          only the reply's header comes
//   silence        no reply
// A busy port is not a reply fault: Bench's SimPort::SetBusy keeps it held.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/core/Faults.h"

namespace tb::sim {

// The fault of that name for the next count replies (-1: every reply), or nothing.
std::optional<Fault> BaseUnitFault(const std::string& name, int count = 1);

std::vector<std::string> BaseUnitFaultNames();

}  // namespace tb::sim
