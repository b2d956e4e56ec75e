#include "tests/client/FakeLink.h"

#include <algorithm>
#include <cstring>

#include "tests/client/ReplyBytes.h"

namespace tb::client::test {

FakeLink* FakeLink::current_ = nullptr;

FakeLink::FakeLink() : api_{GetConnectNum, GetSerial, Open, Clear, Send, Receive, Close} {
    current_ = this;
    scope_.emplace(api_);
}

FakeLink::~FakeLink() {
    scope_.reset();
    current_ = nullptr;
}

sim::loggers::SimulatedLogger& FakeLink::AddUnit(uint32_t key, uint16_t product, int skipLatch,
                                                 sim::loggers::LoggerModel model) {
    units_.push_back({key, product, skipLatch, sim::loggers::SimulatedLogger(std::move(model))});
    return units_.back().logger;
}

void FakeLink::FailListing(uint16_t product, int skipLatch, int result) {
    listingFailures_[{product, skipLatch}] = result;
}

FakeLink::Unit* FakeLink::Find(uint32_t key) {
    auto it =
        std::find_if(units_.begin(), units_.end(), [key](const Unit& u) { return u.key == key; });
    return it == units_.end() ? nullptr : &*it;
}

int FakeLink::GetConnectNum(uint8_t* status, int length, int, int) {
    FakeLink& self = *current_;
    const int call = self.connectNumCalls_++;
    const int result =
        call < static_cast<int>(self.connectNumResults.size()) ? self.connectNumResults[call] : 0;
    if (result > 0 && self.connectNumIndex < length) status[self.connectNumIndex] = 1;
    return result;
}

int FakeLink::GetSerial(uint32_t* serials, int count, int productId, int skipLatch) {
    FakeLink& self = *current_;
    self.calls.push_back("list " + std::to_string(productId) + "/" + std::to_string(skipLatch));
    const auto failure = self.listingFailures_.find({static_cast<uint16_t>(productId), skipLatch});
    if (failure != self.listingFailures_.end()) return failure->second;
    int found = 0;
    for (const auto& unit : self.units_) {
        if (unit.product == productId && unit.skipLatch == skipLatch && found < count) {
            serials[found++] = unit.key;
        }
    }
    return found;
}

int FakeLink::Open(uint32_t key) {
    FakeLink& self = *current_;
    self.calls.push_back("open " + std::to_string(key));
    if (self.failOpens > 0) {
        --self.failOpens;
        return -22;
    }
    if (!self.Find(key)) return -22;
    self.openKeys_.insert(key);
    return 0;
}

int FakeLink::Clear(uint32_t key, int selector) {
    current_->calls.push_back("clear " + std::to_string(key) + " " + std::to_string(selector));
    return 0;
}

int FakeLink::Send(uint32_t key, const uint8_t* data, int length) {
    FakeLink& self = *current_;
    self.calls.push_back("send " + std::to_string(key));
    if (self.failSends > 0) {
        --self.failSends;
        return -25;
    }
    Unit* unit = self.Find(key);
    if (!unit || !self.openKeys_.count(key) || length < 6) return -25;
    const std::vector<uint8_t> body(data + 4, data + length - 2);
    auto answer = unit->logger.Answer(body);
    if (self.rawReply) {
        answer = std::move(self.rawReply);
        self.rawReply.reset();
        self.pending_[key] = std::move(answer);
        return 0;
    }
    self.pending_[key] = answer ? std::optional(ReplyBytes::FrameOf(*answer)) : std::nullopt;
    return 0;
}

int FakeLink::Receive(uint32_t key, uint8_t* buffer, int capacity, int) {
    FakeLink& self = *current_;
    self.calls.push_back("receive " + std::to_string(key));
    if (self.failReceives > 0) {
        --self.failReceives;
        return -28;
    }
    auto reply = std::move(self.pending_[key]);
    self.pending_.erase(key);
    if (!reply) return -28;
    if (static_cast<int>(reply->size()) > capacity) return -27;
    std::memcpy(buffer, reply->data(), reply->size());
    return static_cast<int>(reply->size());
}

int FakeLink::Close(uint32_t key) {
    FakeLink& self = *current_;
    self.calls.push_back("close " + std::to_string(key));
    self.openKeys_.erase(key);
    return 0;
}

}  // namespace tb::client::test
