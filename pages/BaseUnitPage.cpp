#include "pages/BaseUnitPage.h"

#include <algorithm>

#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "pages/BusyScope.h"
#include "pages/ModelCatalogue.h"
#include "resources/dialogs/PageButtonIds.h"

namespace tb::pages {
namespace {

using resources::page_buttons::kInitialise;
using resources::page_buttons::kReceive;
using resources::page_buttons::kSend;

using resources::strings::kMsgReceived;
using resources::strings::kStrCelsius;
using resources::strings::kStrFahrenheit;
using resources::strings::kMsgConfirmInitialise;
using resources::strings::kStrNoChange;
using resources::strings::kMsgConfirmOneChannel;
using resources::strings::kMsgConfirmTwoChannels;
using resources::strings::kMsgNotConnected;

constexpr int kOneDecimal = 1;
constexpr int kThreeDecimals = 3;

const Correction kIdentity{1.0, 0.0};

}  // namespace

CBaseUnitPage::CBaseUnitPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger,
                             std::initializer_list<ChannelIds> channels)
    : CPropertyPage(dialogId), logger_(std::move(logger)) {
    for (const ChannelIds& ids : channels) channels_.emplace_back(ids);
}

ChannelPlace CBaseUnitPage::PlaceOfChannel(int channel) const {
    return {Channel(static_cast<std::size_t>(channel - 1)).Ids(), 0, EditLength()};
}

Correction CBaseUnitPage::CurrentCorrection(int channel) const {
    return Channel(static_cast<std::size_t>(channel - 1)).current;
}

std::optional<Correction> CBaseUnitPage::ComposedCorrection(int channel) const {
    return Channel(static_cast<std::size_t>(channel - 1)).composed;
}

void CBaseUnitPage::DoDataExchange(bool save) {
    for (AdjustChannel& channel : channels_) channel.Exchange(View(), save);
}

void CBaseUnitPage::OnInitDialog() {
    ReadUnitSetting();
    SetTemperatureLabels();
    for (AdjustChannel& channel : channels_) {
        channel.ApplyChannelRule(View());
        channel.ApplyRowRule(View());
        channel.current = kIdentity;
    }
    UpdateData(false);
    ClearLines();
}

void CBaseUnitPage::OnSetActive() {
    ReadUnitSetting();
    SetTemperatureLabels();
    if (activatedBefore_) UpdateData(false);
    activatedBefore_ = true;
}

void CBaseUnitPage::ReadUnitSetting() {
    const int unit = services::ReadTempUnit();
    if (unit != unitSetting_) channels_.front().ShowLine(View(), "");
    unitSetting_ = unit;
}

// Only channel 1 measures temperature; a humidity channel keeps its " %".
void CBaseUnitPage::SetTemperatureLabels() {
    const int unit = unitSetting_ == services::kFahrenheit ? kStrFahrenheit : kStrCelsius;
    channels_.front().SetUnitLabels(View(), services::LoadResString(unit));
}

void CBaseUnitPage::ClearLines() {
    for (const AdjustChannel& channel : channels_) channel.ShowLine(View(), "");
}

CheckKind CBaseUnitPage::KindOf(std::size_t channel) const {
    return channel == 0 ? TemperatureKind(unitSetting_) : CheckKind::Celsius;
}

ChannelFormats CBaseUnitPage::FormatsOf(std::size_t channel) const {
    return {kFmtEntered3, kFmtCurrent3, kThreeDecimals,
            channel == 0 && unitSetting_ == services::kFahrenheit};
}

void CBaseUnitPage::ChannelClicked(std::size_t clicked) {
    UpdateData(true);
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (i != clicked) channels_[i].Untick(View());
    }
    channels_.at(clicked).ApplyChannelRule(View());
    channels_.at(clicked).ApplyRowRule(View());
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (i != clicked) channels_[i].ApplyChannelRule(View());
    }
}

void CBaseUnitPage::PointModeClicked(std::size_t channel) {
    UpdateData(true);
    channels_.at(channel).ApplyRowRule(View());
}

void CBaseUnitPage::ShowLine(std::size_t channel, Correction shown) {
    const ChannelFormats formats = FormatsOf(channel);
    channels_[channel].ShowLine(View(), FormatCorrection(formats.line, shown, formats.degreeF));
}

bool CBaseUnitPage::FindLogger() {
    if (logger_ && logger_->IsConnected()) return true;
    services::ShowMessageId(kMsgNotConnected);
    return false;
}

bool CBaseUnitPage::ReadCurrent() {
    std::vector<Correction> current;
    for (const AdjustChannel& channel : channels_) current.push_back(channel.current);
    if (!logger_->Read(current)) return false;
    for (std::size_t i = 0; i < channels_.size(); ++i) channels_[i].current = current[i];
    return true;
}

// Writes every channel's composed correction; on success each line shows
// what the logger now holds (to one decimal where it keeps only one).
bool CBaseUnitPage::WriteComposed(bool initialise) {
    std::vector<Correction> composed;
    for (const AdjustChannel& channel : channels_) composed.push_back(channel.composed);
    const bool written = initialise ? logger_->Initialise(composed) : logger_->Write(composed);
    if (!written) return false;
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        Correction shown = channels_[i].composed;
        if (FormatsOf(i).offsetDecimals == kOneDecimal) {
            shown.offset = RoundHalfAway(shown.offset, kOneDecimal);
        }
        ShowLine(i, shown);
    }
    return true;
}

void CBaseUnitPage::Initialise() {
    if (services::ShowMessageId(kMsgConfirmInitialise, services::MsgButtons::YesNo) != services::MsgAnswer::Yes) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Initialise, DialogId(), unitSetting_);
    StartRecord(record);
    // With a journal attached the record shows what the logger held before.
    // The read is the journal's only: when it fails the record says nothing
    // of it and the initialisation goes on as the technician asked.
    if (record.Active()) {
        std::vector<Correction> found(channels_.size(), kIdentity);
        if (logger_->ReadQuietly(found)) {
            for (std::size_t i = 0; i < found.size(); ++i) {
                record.Data().channels[i].asFound = found[i];
            }
        }
    }
    for (AdjustChannel& channel : channels_) channel.composed = kIdentity;
    RecordChannels(record, &ChannelRecord::composed, &AdjustChannel::composed);
    if (WriteComposed(true)) {
        RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::composed);
        record.Succeeded();
    } else {
        RecordWhatWasLeft(record);
    }
}

void CBaseUnitPage::Send() {
    UpdateData(true);
    if (std::none_of(channels_.begin(), channels_.end(),
                     [](const AdjustChannel& channel) { return channel.Ticked(); })) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Send, DialogId(), unitSetting_);
    StartRecord(record);
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (!channels_[i].Ticked()) continue;
        record.Data().channels[i].enteredPoints = channels_[i].TypedPoints();
        record.Data().channels[i].limits = LimitsRecord(KindOf(i));
    }
    if (!ReadCurrent()) return;
    RecordChannels(record, &ChannelRecord::asFound, &AdjustChannel::current);
    // Until a write is attempted the logger keeps what it was found with.
    RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::current);
    std::vector<Correction> entered(channels_.size(), kIdentity);
    if (!DeriveAndCompose(entered)) return;
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (channels_[i].Ticked()) record.Data().channels[i].entered = entered[i];
    }
    RecordChannels(record, &ChannelRecord::composed, &AdjustChannel::composed);
    if (!ComposedFits() || !ConfirmSend(entered)) return;
    if (WriteComposed(false)) {
        RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::composed);
        record.Succeeded();
    } else {
        RecordWhatWasLeft(record);
    }
}

// Channel by channel, in order: a refusal on one stops before the next is
// read. An unticked channel keeps the identity as its entered correction,
// so its current one is written back.
bool CBaseUnitPage::DeriveAndCompose(std::vector<Correction>& entered) {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        AdjustChannel& channel = channels_[i];
        if (channel.Ticked()) {
            const std::optional<Correction> derived = channel.DeriveEntered(View(), KindOf(i));
            if (!derived) return false;
            entered[i] = *derived;
        }
    }
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        AdjustChannel& channel = channels_[i];
        channel.composed = RoundsCurrentBeforeComposing()
                               ? ComposeWithRoundedCurrent(channel.current, entered[i])
                               : ComposeCorrection(channel.current, entered[i]);
    }
    return true;
}

bool CBaseUnitPage::ComposedFits() {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        const AdjustChannel& channel = channels_[i];
        const int refusal = channel.UnfitMessage(logger_->Fits(channel.composed), KindOf(i));
        if (refusal != 0) {
            services::ShowMessageId(refusal);
            return false;
        }
    }
    return true;
}

bool CBaseUnitPage::ConfirmSend(const std::vector<Correction>& entered) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (!channels_[i].Ticked()) {
            texts.push_back(services::LoadResString(kStrNoChange));
            continue;
        }
        const ChannelFormats formats = FormatsOf(i);
        Correction shown{entered[i].slope, RoundHalfAway(entered[i].offset, kThreeDecimals)};
        if (formats.offsetDecimals == kOneDecimal) {
            shown.offset = RoundHalfAway(shown.offset, kOneDecimal);
        }
        texts.push_back(FormatCorrection(formats.confirm, shown, formats.degreeF));
    }
    const int question = texts.size() == 1 ? kMsgConfirmOneChannel : kMsgConfirmTwoChannels;
    const std::string text =
        texts.size() == 1
            ? services::FormatText(services::LoadResString(question), {texts[0]})
            : services::FormatText(services::LoadResString(question), {texts[0], texts[1]});
    return services::ShowMessage(text, services::MsgButtons::YesNo, services::MsgIcon::Default,
                                 question) == services::MsgAnswer::Yes;
}

void CBaseUnitPage::Receive() {
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Receive, DialogId(), unitSetting_);
    StartRecord(record);
    if (!ReadCurrent()) return;
    RecordChannels(record, &ChannelRecord::asFound, &AdjustChannel::current);
    RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::current);
    record.Succeeded();
    for (std::size_t i = 0; i < channels_.size(); ++i) ShowLine(i, channels_[i].current);
    services::ShowMessageId(kMsgReceived, services::MsgButtons::Ok, services::MsgIcon::Information);
}

void CBaseUnitPage::Help() { services::ShowHelp(); }

void CBaseUnitPage::StartRecord(OperationRecord& record) {
    record.Identify([this] { return logger_->UnitSerial(); });
    record.Data().model = LoggerModelOf(DialogId(), logger_->DeviceCode());
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Channel(i, "CH" + std::to_string(i + 1));
    }
}

void CBaseUnitPage::RecordChannels(OperationRecord& record,
                                   std::optional<Correction> ChannelRecord::*field,
                                   Correction AdjustChannel::*source) {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Data().channels[i].*field = channels_[i].*source;
    }
}

// A write that was not confirmed may still have reached the logger: the
// record says what the logger holds now, or nothing when it cannot tell.
void CBaseUnitPage::RecordWhatWasLeft(OperationRecord& record) {
    std::vector<Correction> left(channels_.size(), kIdentity);
    const bool known = record.Active() && logger_->ReadQuietly(left);
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Data().channels[i].asLeft =
            known ? std::optional<Correction>(left[i]) : std::nullopt;
    }
}

}  // namespace tb::pages
