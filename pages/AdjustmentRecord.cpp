#include "pages/AdjustmentRecord.h"

#include <atomic>

namespace tb::pages {
namespace {

std::atomic<AdjustmentRecorder*>& InstalledRecorder() {
    static std::atomic<AdjustmentRecorder*> recorder{nullptr};
    return recorder;
}

}  // namespace

void SetAdjustmentRecorder(AdjustmentRecorder* recorder) { InstalledRecorder().store(recorder); }

bool AdjustmentRecorderInstalled() { return InstalledRecorder().load() != nullptr; }

void RecordAdjustment(const AdjustmentRecord& record) {
    if (AdjustmentRecorder* recorder = InstalledRecorder().load()) recorder->Record(record);
}

AppliedLimits LimitsRecord(CheckKind kind) {
    const KindLimits& limits = LimitsOf(kind);
    return {static_cast<int>(kind), limits.minSlope, limits.maxSlope, limits.onePointOffsetLimit,
            limits.twoPointOffsetLimit};
}

const char* OperationName(PageOperation operation) {
    switch (operation) {
        case PageOperation::Initialise:
            return "initialise";
        case PageOperation::Receive:
            return "receive";
        case PageOperation::Send:
            break;
    }
    return "send";
}

}  // namespace tb::pages
