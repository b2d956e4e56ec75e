// A stand-in for the link library that puts simulated loggers directly
// behind the client's calls (no ports), and records every call, so that
// transaction and discovery logic can be tested on virtual time.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "client/LinkApi.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::client::test {

class FakeLink {
  public:
    FakeLink();
    ~FakeLink();
    FakeLink(const FakeLink&) = delete;
    FakeLink& operator=(const FakeLink&) = delete;

    // A unit with this key, listed for (product, skipLatch), holding a logger.
    sim::loggers::SimulatedLogger& AddUnit(uint32_t key, uint16_t product, int skipLatch,
                                           sim::loggers::LoggerModel model);
    // GetSerial for this identity returns this count (negative: failure).
    void FailListing(uint16_t product, int skipLatch, int result);
    // The next n calls of a step fail.
    int failOpens = 0;
    int failSends = 0;
    int failReceives = 0;
    // A raw reply that replaces the next logger answer.
    std::optional<std::vector<uint8_t>> rawReply;
    // GetConnectNum results, one per call (0 when used up), and the status
    // byte index it marks for a positive result.
    std::vector<int> connectNumResults;
    int connectNumIndex = 0;

    std::vector<std::string> calls;  // "open 1234", "send 1234", ...
    int OpenLinks() const { return static_cast<int>(openKeys_.size()); }
    int ConnectNumCalls() const { return connectNumCalls_; }

  private:
    struct Unit {
        uint32_t key;
        uint16_t product;
        int skipLatch;
        sim::loggers::SimulatedLogger logger;
    };
    static int GetConnectNum(uint8_t* status, int length, int productId, int skipLatch);
    static int GetSerial(uint32_t* serials, int count, int productId, int skipLatch);
    static int Open(uint32_t key);
    static int Clear(uint32_t key, int selector);
    static int Send(uint32_t key, const uint8_t* data, int length);
    static int Receive(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec);
    static int Close(uint32_t key);
    Unit* Find(uint32_t key);

    static FakeLink* current_;
    LinkApi api_;
    std::optional<ScopedLinkApi> scope_;
    std::deque<Unit> units_;
    std::map<std::pair<uint16_t, int>, int> listingFailures_;
    std::map<uint32_t, std::optional<std::vector<uint8_t>>> pending_;
    std::set<uint32_t> openKeys_;
    int connectNumCalls_ = 0;
};

}  // namespace tb::client::test
