#include "sim/loggers/LoggerFaults.h"

#include <cstdio>

namespace tb::sim::loggers {

bool LoggerFaults::Take(int& counter) {
    if (counter == 0) return false;
    if (counter > 0) --counter;  // negative: until cleared
    return true;
}

std::string LoggerFaults::Describe() const {
    std::string text;
    auto add = [&text](const char* name, int count) {
        if (count == 0) return;
        if (!text.empty()) text += ", ";
        text += name;
        text += count < 0 ? std::string(" (always)") : " x" + std::to_string(count);
    };
    add("wrong word", wrongWord);
    add("missing STATUS", missingStatus);
    add("missing DATA", missingData);
    add("short DATA", shortData);
    add("bad check", badCheck);
    if (refusals != 0) {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", refusalCode);
        add((std::string("refusal ") + code).c_str(), refusals);
    }
    add("read-back differs", readBackDiffers);
    add("silence", silence);
    return text.empty() ? "none" : text;
}

}  // namespace tb::sim::loggers
