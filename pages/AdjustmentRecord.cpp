#include "pages/AdjustmentRecord.h"

#include <atomic>
#include <string>

#include "resources/dialogs/DialogIds.h"

namespace tb::pages {
namespace {

std::atomic<AdjustmentRecorder*>& InstalledRecorder() {
    static std::atomic<AdjustmentRecorder*> recorder{nullptr};
    return recorder;
}

struct PageModel {
    int dialogId;
    const char* model;
};
constexpr PageModel kPageModels[] = {
    {resources::kDialogLgr820, "820/821"}, {resources::kDialogLgr830, "830"},
    {resources::kDialogLgr870, "870"},     {resources::kDialogLgr850, "850"},
    {resources::kDialogLgr875, "875"},     {resources::kDialogLgr835, "835"},
    {resources::kDialogLgr890, "890"},
};

}  // namespace

std::string ModelOfPage(int dialogId) {
    for (const PageModel& page : kPageModels) {
        if (page.dialogId == dialogId) return page.model;
    }
    return std::to_string(dialogId);
}

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
