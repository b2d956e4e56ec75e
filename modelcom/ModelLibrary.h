// The state of one model library (its profile and its list of known
// loggers) and the transaction every command export runs.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "modelcom/CommandShape.h"
#include "modelcom/LoggerList.h"
#include "modelcom/ModelProfile.h"
#include "modelcom/PortSession.h"

namespace tb::modelcom {

class ModelLibrary {
  public:
    explicit ModelLibrary(const ModelProfile& profile) : profile_(profile) {}

    const ModelProfile& Profile() const { return profile_; }
    LoggerList& Loggers() { return loggers_; }

    // Opens the port of a listed logger: -2 when the serial number is not
    // listed (nothing is opened then), else the open's result.
    int OpenLogger(uint32_t serial, PortSession& session);

    // One command: open, request, reply, close, check. On 0 `data` holds the
    // reply's data bytes (exactly shape.replyLength - 7 of them).
    int Transact(uint32_t serial, const CommandShape& shape, std::span<const uint8_t> request,
                 std::vector<uint8_t>& data);
    int Transact(uint32_t serial, const CommandShape& shape, std::span<const uint8_t> request);

    // One command whose reply content is checked before its length: on 0
    // `reply` is a sound frame, possibly not of shape.replyLength bytes.
    int TransactFramed(uint32_t serial, const CommandShape& shape, std::span<const uint8_t> request,
                       std::vector<uint8_t>& reply);

  private:
    const ModelProfile& profile_;
    LoggerList loggers_;
};

}  // namespace tb::modelcom
