#include "pages/OneChannelPage.h"

#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "pages/BusyScope.h"
#include "pages/ChannelEntry.h"
#include "pages/DataExchange.h"

namespace tb::pages {
namespace {

using namespace one_channel;

constexpr int kMsgReceived = 106;
constexpr int kMsgCelsius = 1003;
constexpr int kMsgFahrenheit = 1004;
constexpr int kMsgConfirmInitialise = 1005;
constexpr int kMsgNotConnected = 1048;
constexpr int kMsgConfirmSend = 1064;

const Correction kIdentity{1.0, 0.0};

}  // namespace

COneChannelPage::COneChannelPage(int dialogId, std::unique_ptr<OneChannelLogger> logger)
    : CPropertyPage(dialogId), logger_(std::move(logger)) {}

void COneChannelPage::DoDataExchange(bool save) {
    DialogView& view = View();
    ExchangeCheck(view, save, kAdjustChannel, adjustChannel_);
    ExchangeRadio(view, save, kOnePoint, pointMode_);
    ExchangeText(view, save, kBefore1, before1_);
    ExchangeText(view, save, kBefore2, before2_);
    ExchangeText(view, save, kAfter1, after1_);
    ExchangeText(view, save, kAfter2, after2_);
    if (save && pointMode_ != 1) pointMode_ = 0;
}

void COneChannelPage::OnInitDialog() {
    ReadUnitSetting();
    SetUnitLabels();
    ApplyChannelRule();
    ApplyRowRule();
    current_ = kIdentity;
    UpdateData(false);
    View().SetText(kCurrentLine, "");
}

void COneChannelPage::OnSetActive() {
    ReadUnitSetting();
    SetUnitLabels();
    if (activatedBefore_) UpdateData(false);
    activatedBefore_ = true;
}

// A change of the unit since the page was last shown makes the current
// line's figures meaningless: it is cleared.
void COneChannelPage::ReadUnitSetting() {
    const int unit = services::ReadTempUnit();
    if (unit != unitSetting_) View().SetText(kCurrentLine, "");
    unitSetting_ = unit;
}

void COneChannelPage::SetUnitLabels() {
    const std::string unit = services::LoadResString(
        unitSetting_ == services::kFahrenheit ? kMsgFahrenheit : kMsgCelsius);
    for (int id : {kUnitBefore1, kUnitBefore2, kUnitAfter1, kUnitAfter2}) View().SetText(id, unit);
}

void COneChannelPage::ApplyChannelRule() {
    for (int id : {kOnePoint, kTwoPoint, kBefore1, kAfter1, kBefore2, kAfter2}) {
        View().Enable(id, adjustChannel_);
    }
}

void COneChannelPage::ApplyRowRule() {
    if (!adjustChannel_) return;
    View().Enable(kBefore1, true);
    View().Enable(kAfter1, true);
    View().Enable(kBefore2, pointMode_ == 1);
    View().Enable(kAfter2, pointMode_ == 1);
}

void COneChannelPage::ChannelClicked() {
    UpdateData(true);
    ApplyChannelRule();
    ApplyRowRule();
}

void COneChannelPage::PointModeClicked() {
    UpdateData(true);
    ApplyRowRule();
}

void COneChannelPage::ShowCurrentLine(const Correction& correction) {
    View().SetText(kCurrentLine, FormatCorrection(kFmtCurrent3, correction,
                                                  unitSetting_ == services::kFahrenheit));
}

bool COneChannelPage::FindLogger() {
    if (logger_->IsConnected()) return true;
    services::ShowMessageId(kMsgNotConnected);
    return false;
}

void COneChannelPage::Initialise() {
    if (services::ShowMessageId(kMsgConfirmInitialise, services::MsgButtons::YesNo) !=
        services::MsgAnswer::Yes) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    composed_ = kIdentity;
    if (logger_->Write(composed_)) ShowCurrentLine(composed_);
}

void COneChannelPage::Send() {
    UpdateData(true);
    if (!adjustChannel_) return;
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    if (!logger_->Read(current_)) return;
    Correction entered;
    if (!DeriveEntered(entered)) return;
    composed_ = ComposeCorrection(current_, entered);
    if (!ConfirmSend(entered)) return;
    if (logger_->Write(composed_)) ShowCurrentLine(composed_);
}

bool COneChannelPage::DeriveEntered(Correction& entered) {
    const bool twoPoint = pointMode_ == 1;
    const std::optional<ChannelEntry> entry =
        ReadChannelEntry(View(), {kBefore1, kAfter1, kBefore2, kAfter2}, twoPoint);
    if (!entry) return false;
    const CheckKind kind = TemperatureKind(unitSetting_);
    const std::optional<Correction> derived =
        twoPoint ? DeriveTwoPoint(kind, current_.slope, current_.offset, entry->x1, entry->x2,
                                  entry->y1, entry->y2)
                 : DeriveOnePoint(kind, entry->x1, entry->y1, current_.offset);
    if (!derived) return false;
    entered = *derived;
    return true;
}

bool COneChannelPage::ConfirmSend(const Correction& entered) {
    const Correction shown{entered.slope, RoundHalfAway(entered.offset, 3)};
    const std::string formula =
        FormatCorrection(kFmtEntered3, shown, unitSetting_ == services::kFahrenheit);
    const std::string question =
        services::FormatText(services::LoadResString(kMsgConfirmSend), {formula});
    return services::ShowMessage(question, services::MsgButtons::YesNo) == services::MsgAnswer::Yes;
}

void COneChannelPage::Receive() {
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    if (!logger_->Read(current_)) return;
    ShowCurrentLine(current_);
    services::ShowMessageId(kMsgReceived, services::MsgButtons::Ok, services::MsgIcon::Information);
}

void COneChannelPage::Help() { services::ShowHelp(); }

}  // namespace tb::pages
