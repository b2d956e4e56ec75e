#include "sim/main/ConsoleLines.h"

#include "sim/main/ConsoleCommand.h"

namespace tb::sim {

std::vector<std::string> ConsoleLines::Feed(std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (c == '\n') {
            lines.push_back(overlong_ ? std::string(kMaxConsoleLine + 1, 'x') : partial_);
            partial_.clear();
            overlong_ = false;
        } else if (partial_.size() < kMaxConsoleLine) {
            partial_ += c;
        } else {
            overlong_ = true;
        }
    }
    return lines;
}

}  // namespace tb::sim
