#include "sim/baseunit/BaseUnitFaults.h"

namespace tb::sim {
namespace {

constexpr int kSplitAfter = 6;
constexpr int kSplitPauseMs = 300;
constexpr int kHeaderBytes = 4;

}  // namespace

std::optional<Fault> BaseUnitFault(const std::string& name, int count) {
    if (name == "garbled-check") return Fault::Garble(-1, 0x5A, count);
    if (name == "wrong-header") return Fault::Garble(0, 0xFF, count);
    if (name == "bad-kind") return Fault::Garble(1, 0x0F, count);
    if (name == "split") return Fault::Split(kSplitAfter, kSplitPauseMs, count);
    if (name == "short") return Fault::Short(kHeaderBytes, count);
    if (name == "silence") return Fault::Silence(count);
    return std::nullopt;
}

std::vector<std::string> BaseUnitFaultNames() {
    return {"garbled-check", "wrong-header", "bad-kind", "split", "short", "silence"};
}

}  // namespace tb::sim
