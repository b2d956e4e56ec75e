// What the direct-USB page's operations put into their journal record: the
// logger, the tab's channels, their entries and the codes found, composed
// and left.
#include <cstdio>

#include "pages/lgr87x/DirectUsbPage.h"
#include "services/PageServices.h"

namespace tb::pages::lgr87x {
namespace {

std::string UnitOfKind(ChannelKind kind, int tempUnit) {
    switch (kind) {
        case ChannelKind::Illuminance: return kUnitLux;
        case ChannelKind::Uv: return kUnitUv;
        case ChannelKind::Co2: return kUnitPpm;
        case ChannelKind::Temperature: return TemperatureUnit(tempUnit);
        case ChannelKind::Humidity: return kUnitRelativeHumidity;
        case ChannelKind::Unused: break;
    }
    return {};
}

}  // namespace

void CDirectUsbPage::ReportFailure(int code) {
    if (record_ != nullptr) record_->SetResultCode(code);
    services::ReportFailures({model_.connection.key}, {code});
}

void CDirectUsbPage::StartRecord(OperationRecord& record, int tab) {
    record.Identify({}, [this] {
        char key[9];
        std::snprintf(key, sizeof key, "%08X", static_cast<unsigned>(model_.connection.key));
        return std::string(key);
    });
    std::size_t index = 0;
    for (const ChannelTable& channel : Tab(tab).channels) {
        if (channel.kind == ChannelKind::Unused) continue;
        record.Channel(index++, "CH" + std::to_string(channel.number)).unit = UnitOfKind(channel.kind, unit_);
    }
}

void CDirectUsbPage::RecordCodes(int tab, std::optional<Correction> ChannelRecord::*field,
                                 const CalibrationCodes& codes) {
    if (record_ == nullptr) return;
    const TabTable& table = Tab(tab);
    std::size_t index = 0;
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        if (table.channels[j].kind == ChannelKind::Unused) continue;
        record_->Data().channels.at(index++).*field = CorrectionOfCodes(table, j, codes);
    }
}

void CDirectUsbPage::RecordEntries(int tab) {
    if (record_ == nullptr) return;
    std::size_t index = 0;
    for (const ChannelTable& channel : Tab(tab).channels) {
        if (channel.kind == ChannelKind::Unused) continue;
        const std::size_t row = static_cast<std::size_t>(channel.row);
        if (ticked_[row]) {
            const auto& typed = typed_[row];
            ChannelRecord& recorded = record_->Data().channels.at(index);
            recorded.enteredPoints =
                EnteredPoints(kinds_[row] == 1, typed[0], typed[1], typed[2], typed[3]);
            recorded.limits = LimitsOfTab(Tab(tab));
        }
        ++index;
    }
}

void CDirectUsbPage::RecordEntered(int tab, const std::array<EnteredCorrection, 2>& entered) {
    if (record_ == nullptr) return;
    const TabTable& table = Tab(tab);
    std::size_t index = 0;
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const ChannelTable& channel = table.channels[j];
        if (channel.kind == ChannelKind::Unused) continue;
        if (ticked_[static_cast<std::size_t>(channel.row)]) {
            record_->Data().channels.at(index).entered = entered[j].logger;
        }
        ++index;
    }
}

}  // namespace tb::pages::lgr87x
