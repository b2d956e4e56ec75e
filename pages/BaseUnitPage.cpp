// A base-unit page's view rules: what its controls show and allow as the
// technician ticks channels, picks one or two points and changes the unit
// setting. The operations are in BaseUnitOperations.cpp, the journal record
// in BaseUnitJournal.cpp.
#include "pages/BaseUnitPage.h"

#include "services/PageServices.h"
#include "services/Settings.h"

namespace tb::pages {
namespace {

using resources::strings::kStrCelsius;
using resources::strings::kStrFahrenheit;

constexpr int kThreeDecimals = 3;

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
        channel.current = Correction{};  // the identity
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

std::string CBaseUnitPage::UnitOf(std::size_t channel) const {
    return channel == 0 ? TemperatureUnit(unitSetting_) : kUnitRelativeHumidity;
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

void CBaseUnitPage::Help() { services::ShowHelp(); }

}  // namespace tb::pages
