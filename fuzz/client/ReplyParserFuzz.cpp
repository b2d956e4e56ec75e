// Feeds arbitrary bytes to the reply parser as a base unit's reply frame.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "client/CommandExchange.h"
#include "client/CommandText.h"
#include "client/ReplyParser.h"
#include "client/ResultCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tb::client;
    if (size > kReplyCapacity) size = kReplyCapacity;
    // A copy of exactly the received length, so any read past it is caught.
    const std::vector<uint8_t> received(data, data + size);
    for (const auto word : {kWordAdjust, kWordSettings, kWordPassThrough}) {
        for (const bool needData : {false, true}) {
            const auto reply = ParseReply(received, word, needData);
            if (reply.code == kResultOk && needData) {
                // The value must lie inside the received bytes.
                const auto* begin = received.data();
                if (reply.data.data() < begin ||
                    reply.data.data() + reply.data.size() > begin + received.size()) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
