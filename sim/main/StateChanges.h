// Which lines of a state dump are new since the last one: what
// trimbench-sim prints as devices change.
#pragma once

#include <string>
#include <vector>

namespace tb::sim {

class StateChanges {
  public:
    // The lines of `dump` that were not in the previous dump, each kept with
    // its device's heading line for context.
    std::vector<std::string> Update(const std::string& dump);

  private:
    std::vector<std::string> previous_;
};

}  // namespace tb::sim
