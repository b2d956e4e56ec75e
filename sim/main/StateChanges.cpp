#include "sim/main/StateChanges.h"

#include <algorithm>

namespace tb::sim {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::vector<std::string> StateChanges::Update(const std::string& dump) {
    std::vector<std::string> lines = Lines(dump);
    std::vector<std::string> changed;
    std::string heading;
    bool headingShown = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        bool isHeading = lines[i].rfind("    ", 0) != 0;
        if (isHeading) {
            heading = lines[i];
            headingShown = false;
        }
        bool same = i < previous_.size() && previous_[i] == lines[i];
        if (same) continue;
        if (!isHeading && !headingShown && !heading.empty()) changed.push_back(heading);
        changed.push_back(lines[i]);
        headingShown = true;
    }
    previous_ = std::move(lines);
    return changed;
}

}  // namespace tb::sim
