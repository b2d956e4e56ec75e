// What sets one direct-USB logger model apart in the shared protocol code:
// its USB identity, type code, result codes and how it hands out names.
#pragma once

#include <cstdint>
#include <string>

namespace tb::modelcom {

enum class NameCopy {
    kText,      // up to 8 bytes, stopping at a zero byte
    kRawBytes,  // all 8 bytes as they are
};

struct ModelProfile {
    uint16_t typeCode;       // device type code in the logger table
    int wrongTypeCode;       // result when the type code differs
    int runtimeMissingCode;  // result when the bridge run-time library cannot be loaded
    int status35Code;        // result of a reply with status 0x35
    NameCopy nameCopy;
    std::string (*vidPid)();  // "vvvv-pppp" of the model's USB identity
};

}  // namespace tb::modelcom
