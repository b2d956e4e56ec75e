// Device bytes through the reply check, the sensor-module parsers and the
// value-code texts: no read outside the bytes given, no text overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "modelcom/Co2Code.h"
#include "modelcom/Frame.h"
#include "modelcom/ModbusRtu.h"
#include "modelcom/ResultCodes.h"
#include "modelcom/ValueCode.h"

using namespace tb::modelcom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t command = data[0];
    std::span<const uint8_t> reply(data + 1, size - 1);
    if (CheckReply(reply, command, kRefused35) == kOk) {
        auto payload = ReplyData(reply);
        ParseReadReply(payload);
        IsWriteReplySound(payload);
    }
    if (size >= 3) {
        const int code = data[1] | (data[2] << 8);
        char text[16];
        char kilo[16];
        ConvertIlluminance(code, text, kilo);
        if (std::strlen(text) >= sizeof text) __builtin_trap();
        ConvertUv(code, text);
        ConvertIntegIlluminance(code, text, kilo);
        ConvertIntegUv(code, text, kilo);
        ConvertCo2(code);
    }
    return 0;
}
