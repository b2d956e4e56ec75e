#include "pages/AdjustmentRecord.h"

namespace tb::pages {

std::atomic<AdjustmentRecorder*>& InstalledAdjustmentRecorder() {
    static std::atomic<AdjustmentRecorder*> recorder{nullptr};
    return recorder;
}

bool AdjustmentRecorderInstalled() { return InstalledAdjustmentRecorder().load() != nullptr; }

void RecordAdjustment(const AdjustmentRecord& record) {
    if (AdjustmentRecorder* recorder = InstalledAdjustmentRecorder().load()) recorder->Record(record);
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
