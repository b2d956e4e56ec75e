#include "pages/OneChannelPage.h"

#include "app/FormatText.h"
#include "app/MessageBox.h"
#include "app/PageServices.h"
#include "app/Settings.h"
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
const char* const kChannelName = "CH1";

}  // namespace

COneChannelPage::COneChannelPage(int dialogId, std::unique_ptr<OneChannelLogger> logger,
                                 std::string model)
    : CPropertyPage(dialogId), logger_(std::move(logger)), model_(std::move(model)) {}

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
    const int unit = app::ReadTempUnit();
    if (unit != unitSetting_) View().SetText(kCurrentLine, "");
    unitSetting_ = unit;
}

void COneChannelPage::SetUnitLabels() {
    const std::string unit =
        app::LoadResString(unitSetting_ == app::kFahrenheit ? kMsgFahrenheit : kMsgCelsius);
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
    View().SetText(kCurrentLine,
                   FormatCorrection(kFmtCurrent3, correction, unitSetting_ == app::kFahrenheit));
}

bool COneChannelPage::FindLogger() {
    if (logger_->IsConnected()) return true;
    app::ShowMessageId(kMsgNotConnected);
    return false;
}

void COneChannelPage::IdentifyLogger(OperationRecord& record) {
    record.Identify([this] { return logger_->UnitSerial(); });
}

void COneChannelPage::Initialise() {
    if (app::ShowMessageId(kMsgConfirmInitialise, app::MsgButtons::YesNo) != app::MsgAnswer::Yes) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Initialise, model_, model_, unitSetting_);
    IdentifyLogger(record);
    ChannelRecord& channel = record.Channel(0, kChannelName);
    // With a journal attached the record shows what the logger held before.
    if (record.Active()) {
        Correction found;
        if (!logger_->Read(found)) return;
        channel.asFound = found;
    }
    composed_ = kIdentity;
    channel.composed = composed_;
    if (logger_->Write(composed_)) {
        channel.asLeft = composed_;
        record.Succeeded();
        ShowCurrentLine(composed_);
    } else {
        RecordWhatWasLeft(record, channel);
    }
}

void COneChannelPage::Send() {
    UpdateData(true);
    if (!adjustChannel_) return;
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Send, model_, model_, unitSetting_);
    IdentifyLogger(record);
    ChannelRecord& channel = record.Channel(0, kChannelName);
    channel.enteredPoints = EnteredPoints(pointMode_ == 1, before1_, after1_, before2_, after2_);
    channel.limits = LimitsRecord(TemperatureKind(unitSetting_));
    if (!logger_->Read(current_)) return;
    channel.asFound = current_;
    // Until a write is attempted the logger keeps what it was found with.
    channel.asLeft = current_;
    Correction entered;
    if (!DeriveEntered(entered)) return;
    channel.entered = entered;
    composed_ = ComposeCorrection(current_, entered);
    channel.composed = composed_;
    if (!ConfirmSend(entered)) return;
    if (logger_->Write(composed_)) {
        channel.asLeft = composed_;
        record.Succeeded();
        ShowCurrentLine(composed_);
    } else {
        RecordWhatWasLeft(record, channel);
    }
}

// A write that was not confirmed may still have reached the logger: the
// record says what the logger holds now, or nothing when it cannot tell.
void COneChannelPage::RecordWhatWasLeft(OperationRecord& record, ChannelRecord& channel) {
    channel.asLeft.reset();
    if (record.Active()) channel.asLeft = logger_->ReadQuietly();
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
        FormatCorrection(kFmtEntered3, shown, unitSetting_ == app::kFahrenheit);
    const std::string question = app::FormatText(app::LoadResString(kMsgConfirmSend), {formula});
    return app::ShowMessage(question, app::MsgButtons::YesNo) == app::MsgAnswer::Yes;
}

void COneChannelPage::Receive() {
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Receive, model_, model_, unitSetting_);
    IdentifyLogger(record);
    ChannelRecord& channel = record.Channel(0, kChannelName);
    if (!logger_->Read(current_)) return;
    channel.asFound = current_;
    channel.asLeft = current_;
    record.Succeeded();
    ShowCurrentLine(current_);
    app::ShowMessageId(kMsgReceived, app::MsgButtons::Ok, app::MsgIcon::Information);
}

void COneChannelPage::Help() { app::ShowHelp(); }

}  // namespace tb::pages
