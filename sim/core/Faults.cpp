#include "sim/core/Faults.h"

#include <algorithm>

namespace tb::sim {
namespace {

size_t Clamp(int position, size_t size) {
    return static_cast<size_t>(std::clamp<long long>(position, 0, static_cast<long long>(size)));
}

void Garble(std::vector<uint8_t>& reply, const Fault& fault) {
    long long index =
        fault.position < 0 ? static_cast<long long>(reply.size()) + fault.position : fault.position;
    if (index >= 0 && index < static_cast<long long>(reply.size()))
        reply[static_cast<size_t>(index)] ^= fault.mask;
}

void Apply(const Fault& fault, std::vector<ReplyPiece>& pieces) {
    ReplyPiece& last = pieces.back();
    switch (fault.kind) {
        case FaultKind::Silence:
            break;
        case FaultKind::Delay:
            pieces.front().pauseMs += std::max(0, fault.ms);
            break;
        case FaultKind::Short:
            last.bytes.resize(
                std::min(last.bytes.size(), Clamp(fault.position, last.bytes.size())));
            break;
        case FaultKind::Garble:
            Garble(last.bytes, fault);
            break;
        case FaultKind::Split: {
            size_t at = Clamp(fault.position, last.bytes.size());
            ReplyPiece rest{
                std::max(0, fault.ms),
                std::vector<uint8_t>(last.bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                     last.bytes.end())};
            last.bytes.resize(at);
            pieces.push_back(std::move(rest));
            break;
        }
    }
}

}  // namespace

void FaultInjector::Arm(Fault fault) {
    std::lock_guard lock(mutex_);
    if (fault.count != 0) armed_.push_back(fault);
}

void FaultInjector::Clear() {
    std::lock_guard lock(mutex_);
    armed_.clear();
}

bool FaultInjector::Armed() const {
    std::lock_guard lock(mutex_);
    return !armed_.empty();
}

std::vector<ReplyPiece> FaultInjector::Shape(std::vector<uint8_t> reply) {
    std::lock_guard lock(mutex_);
    std::vector<ReplyPiece> pieces{{0, std::move(reply)}};
    bool silent = false;
    for (auto& fault : armed_) {
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.kind == FaultKind::Silence)
            silent = true;
        else
            Apply(fault, pieces);
        if (fault.count > 0) --fault.count;
    }
    std::erase_if(armed_, [](const Fault& f) { return f.count == 0; });
    if (silent) return {};
    return pieces;
}

std::string FaultName(FaultKind kind) {
    switch (kind) {
        case FaultKind::Silence:
            return "silence";
        case FaultKind::Delay:
            return "delay";
        case FaultKind::Split:
            return "split";
        case FaultKind::Short:
            return "short";
        case FaultKind::Garble:
            return "garble";
    }
    return "?";
}

std::string FaultInjector::Describe() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const auto& fault : armed_) {
        if (!text.empty()) text += ", ";
        text +=
            FaultName(fault.kind) + " (" +
            (fault.count < 0 ? std::string("every reply") : std::to_string(fault.count) + " left") +
            (fault.skip > 0 ? ", after " + std::to_string(fault.skip) + " more" : std::string()) +
            ")";
    }
    return text.empty() ? "none" : text;
}

}  // namespace tb::sim
