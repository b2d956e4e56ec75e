// Cuts the bytes read from standard input into command lines. A line longer
// than kMaxConsoleLine is dropped whole and reported as such.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tb::sim {

class ConsoleLines {
  public:
    // The complete lines in `bytes` (without their newline); a dropped
    // overlong line comes out as one line of kMaxConsoleLine + 1 'x's, which
    // the command parser refuses as too long.
    std::vector<std::string> Feed(std::string_view bytes);

  private:
    std::string partial_;
    bool overlong_ = false;
};

}  // namespace tb::sim
