// Misbehaviour a simulated logger can be told to show on its next replies.
// Each fault is armed for a number of replies and used up one per reply
// that it changes.
#pragma once

#include <cstdint>
#include <string>

namespace tb::sim::loggers {

struct LoggerFaults {
    int wrongWord = 0;      // the reply carries another command word
    int missingStatus = 0;  // the reply has no STATUS field
    int missingData = 0;    // a reply that should carry DATA has none
    int shortData = 0;      // DATA is cut to half its length (the cable: the reply after 7 bytes)
    int badCheck = 0;       // a start-of-header answer carries a wrong check
    int refusals = 0;       // start-of-header requests are refused with refusalCode
    uint8_t refusalCode = 0x15;
    int readBackDiffers = 0;  // a read of the adjustment bytes returns one byte changed
    int silence = 0;          // no reply at all

    // Uses up one reply of a fault; false when it is not armed.
    static bool Take(int& counter);
    void Clear() { *this = LoggerFaults{}; }
    std::string Describe() const;
};

}  // namespace tb::sim::loggers
