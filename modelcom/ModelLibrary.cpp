#include "modelcom/ModelLibrary.h"

#include "modelcom/Frame.h"
#include "modelcom/PumpingWait.h"
#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

int ModelLibrary::OpenLogger(uint32_t serial, PortSession& session) {
    LoggerEntry* entry = loggers_.Find(serial);
    if (!entry || entry->port.load() < 0) return kNotListedOrCannotOpen;
    return session.Open(entry->port.load());
}

int ModelLibrary::Transact(uint32_t serial, const CommandShape& shape,
                           std::span<const uint8_t> request, std::vector<uint8_t>& data) {
    PortSession session(profile_.status35Code);
    if (int opened = OpenLogger(serial, session); opened != kOk) return opened;
    std::vector<uint8_t> reply;
    int code = session.Exchange(shape, request, reply);
    session.Close();
    if (code != kOk) return code;
    auto replyData = ReplyData(reply);
    data.assign(replyData.begin(), replyData.end());
    if (shape.pauseAfter) PumpingWait(kAfterWriteMs);
    return kOk;
}

int ModelLibrary::Transact(uint32_t serial, const CommandShape& shape,
                           std::span<const uint8_t> request) {
    std::vector<uint8_t> data;
    return Transact(serial, shape, request, data);
}

int ModelLibrary::TransactFramed(uint32_t serial, const CommandShape& shape,
                                 std::span<const uint8_t> request, std::vector<uint8_t>& reply) {
    PortSession session(profile_.status35Code);
    if (int opened = OpenLogger(serial, session); opened != kOk) return opened;
    int code = session.ExchangeFramed(shape, request, reply);
    session.Close();
    return code;
}

}  // namespace tb::modelcom
