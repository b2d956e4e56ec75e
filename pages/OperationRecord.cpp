#include "pages/OperationRecord.h"

#include "pages/ModelCatalogue.h"
#include "services/MessageBox.h"

namespace tb::pages {

OperationRecord::OperationRecord(PageOperation operation, int dialogId, int tempUnit)
    : active_(AdjustmentRecorderInstalled()) {
    record_.operation = operation;
    record_.page = PageNameOf(dialogId);
    record_.model = LoggerModelOf(dialogId, std::nullopt);
    record_.tempUnit = tempUnit;
    services::ClearLastMessageId();
}

OperationRecord::~OperationRecord() {
    if (!active_) return;
    record_.messageId = refusal_ != 0 ? refusal_ : services::LastMessageId();
    RecordAdjustment(record_);
}

void OperationRecord::Identify(const std::function<std::string()>& unitSerial,
                               const std::function<std::string()>& loggerSerial) {
    if (!active_) return;
    if (unitSerial) record_.unitSerial = unitSerial();
    if (loggerSerial) record_.loggerSerial = loggerSerial();
}

ChannelRecord& OperationRecord::Channel(std::size_t index, const std::string& name) {
    if (record_.channels.size() <= index) record_.channels.resize(index + 1);
    ChannelRecord& channel = record_.channels[index];
    if (channel.name.empty()) channel.name = name;
    return channel;
}

std::vector<std::string> EnteredPoints(bool twoPoint, const std::string& before1,
                                       const std::string& after1, const std::string& before2,
                                       const std::string& after2) {
    if (!twoPoint) return {before1, after1};
    return {before1, after1, before2, after2};
}

AppliedLimits LimitsRecord(CheckKind kind) {
    const KindLimits& limits = LimitsOf(kind);
    return {static_cast<int>(kind), limits.minSlope, limits.maxSlope, limits.onePointOffsetLimit,
            limits.twoPointOffsetLimit};
}

}  // namespace tb::pages
