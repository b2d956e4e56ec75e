// A base-unit page's journal record: the logger and channels an operation
// names, and the corrections it copies from the channels.
#include "pages/BaseUnitPage.h"
#include "pages/ModelCatalogue.h"

namespace tb::pages {

void CBaseUnitPage::StartRecord(OperationRecord& record) {
    record.Identify([this] { return logger_->UnitSerial(); });
    record.Data().model = LoggerModelOf(DialogId(), logger_->DeviceCode());
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Channel(i, "CH" + std::to_string(i + 1)).unit = UnitOf(i);
    }
}

void CBaseUnitPage::RecordChannels(OperationRecord& record,
                                   std::optional<Correction> ChannelRecord::*field,
                                   Correction AdjustChannel::*source) {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Data().channels[i].*field = channels_[i].*source;
    }
}

}  // namespace tb::pages
