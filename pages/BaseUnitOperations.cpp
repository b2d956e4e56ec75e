// A base-unit page's operations: initialise, send and receive, each with
// the busy rule, the logger it finds and pins, and what a failed write
// left in the logger.
#include <algorithm>

#include "pages/BaseUnitPage.h"
#include "pages/BusyScope.h"
#include "resources/dialogs/PageButtonIds.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::pages {
namespace {

using resources::page_buttons::kInitialise;
using resources::page_buttons::kReceive;
using resources::page_buttons::kSend;

using resources::strings::kMsgConfirmInitialise;
using resources::strings::kMsgConfirmOneChannel;
using resources::strings::kMsgConfirmTwoChannels;
using resources::strings::kMsgLoggerStateUnknown;
using resources::strings::kMsgNotConnected;
using resources::strings::kMsgReceived;
using resources::strings::kStrNoChange;

constexpr int kOneDecimal = 1;
constexpr int kThreeDecimals = 3;

const Correction kIdentity{1.0, 0.0};

}  // namespace

bool CBaseUnitPage::FindLogger() {
    if (logger_ && logger_->ConnectPinned()) return true;
    services::ShowMessageId(kMsgNotConnected);
    return false;
}

CBaseUnitPage::OperationPin::~OperationPin() {
    if (logger != nullptr) logger->Unpin();
}

bool CBaseUnitPage::ReadCurrent() {
    std::vector<Correction> current = Currents();
    if (!logger_->Read(current)) return false;
    for (std::size_t i = 0; i < channels_.size(); ++i) channels_[i].current = current[i];
    lastOutcome_.loggerRead = true;
    return true;
}

std::vector<Correction> CBaseUnitPage::Currents() const {
    std::vector<Correction> current;
    for (const AdjustChannel& channel : channels_) current.push_back(channel.current);
    return current;
}

// What the logger holds after a write of every channel's composed
// correction: the codes written, decoded.
std::vector<Correction> CBaseUnitPage::StoredComposed() const {
    std::vector<Correction> stored;
    for (const AdjustChannel& channel : channels_)
        stored.push_back(logger_->Stored(channel.composed));
    return stored;
}

// Takes `held` as what the logger holds: each channel's current correction
// and its line.
void CBaseUnitPage::ShowHeld(const std::vector<Correction>& held) {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        channels_[i].current = held[i];
        ShowLine(i, held[i]);
    }
}

// Writes every channel's composed correction. The write reads the codes
// back before it answers true, so the logger then holds the composed
// corrections as its codes carry them: that, not the composed doubles, is
// what the lines and the current corrections show.
bool CBaseUnitPage::WriteComposed(bool initialise) {
    std::vector<Correction> composed;
    for (const AdjustChannel& channel : channels_) composed.push_back(channel.composed);
    const bool written = initialise ? logger_->Initialise(composed) : logger_->Write(composed);
    if (!written) return false;
    ShowHeld(StoredComposed());
    lastOutcome_.write = LoggerWrite::Written;
    lastOutcome_.loggerRead = true;
    return true;
}

// A write that failed may still have reached the logger. The logger is
// asked (quietly) what it holds: the new codes (written), exactly the codes
// it held before (nothing written), or neither or no answer (unknown: the
// technician is told to receive before sending again). What was read is
// shown and recorded as what the operation left.
void CBaseUnitPage::SettleFailedWrite(OperationRecord& record,
                                      const std::optional<std::vector<Correction>>& before) {
    std::vector<Correction> held(channels_.size(), kIdentity);
    const bool read = logger_->ReadQuietly(held);
    if (read) {
        lastOutcome_.loggerRead = true;
        if (held == StoredComposed()) {
            lastOutcome_.write = LoggerWrite::Written;
        } else if (before && held == *before) {
            lastOutcome_.write = LoggerWrite::None;
        } else {
            lastOutcome_.write = LoggerWrite::Unknown;
        }
        ShowHeld(held);
    } else {
        lastOutcome_.write = LoggerWrite::Unknown;
    }
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        record.Data().channels[i].asLeft = read ? std::optional<Correction>(held[i]) : std::nullopt;
    }
    // Advice after the failure's own message, which stays the operation's
    // outcome (the journal's and the command line's).
    if (lastOutcome_.write == LoggerWrite::Unknown) {
        services::ShowMessage(services::LoadResString(kMsgLoggerStateUnknown),
                              services::MsgButtons::Ok, services::MsgIcon::Warning,
                              kMsgLoggerStateUnknown);
    }
}

void CBaseUnitPage::Initialise() {
    lastOutcome_ = {};
    if (services::ShowMessageId(kMsgConfirmInitialise, services::MsgButtons::YesNo) !=
        services::MsgAnswer::Yes) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    OperationPin pin{logger_.get()};
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Initialise, DialogId(), unitSetting_);
    StartRecord(record);
    // What the logger held before: the record's as-found, and what tells a
    // write that failed from one that landed. The read is quiet: when it
    // fails the initialisation goes on as the technician asked.
    std::optional<std::vector<Correction>> found;
    std::vector<Correction> read(channels_.size(), kIdentity);
    if (logger_->ReadQuietly(read)) {
        lastOutcome_.loggerRead = true;
        for (std::size_t i = 0; i < read.size(); ++i) record.Data().channels[i].asFound = read[i];
        found = read;
    }
    for (AdjustChannel& channel : channels_) channel.composed = kIdentity;
    RecordChannels(record, &ChannelRecord::composed, &AdjustChannel::composed);
    if (WriteComposed(true)) {
        RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::current);
        record.Succeeded();
    } else {
        SettleFailedWrite(record, found);
    }
}

void CBaseUnitPage::Send() {
    lastOutcome_ = {};
    UpdateData(true);
    if (std::none_of(channels_.begin(), channels_.end(),
                     [](const AdjustChannel& channel) { return channel.Ticked(); })) {
        return;
    }
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    OperationPin pin{logger_.get()};
    if (!FindLogger()) return;
    OperationRecord record(PageOperation::Send, DialogId(), unitSetting_);
    StartRecord(record);
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (!channels_[i].Ticked()) continue;
        record.Data().channels[i].enteredPoints = channels_[i].TypedPoints();
        record.Data().channels[i].limits = LimitsRecord(KindOf(i));
    }
    if (!ReadCurrent()) return;
    // The codes as read: composing may round the current corrections.
    const std::vector<Correction> found = Currents();
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
        RecordChannels(record, &ChannelRecord::asLeft, &AdjustChannel::current);
        record.Succeeded();
    } else {
        SettleFailedWrite(record, found);
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

// Every channel's composed correction must fit the logger's codes, and a
// ticked channel's must lie within its limits as the logger will hold it,
// after rounding and encoding: the entry checks weigh the readings, which
// is not always what the composition writes.
bool CBaseUnitPage::ComposedFits() {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        const AdjustChannel& channel = channels_[i];
        int refusal = channel.UnfitMessage(logger_->Fits(channel.composed), KindOf(i));
        if (refusal == 0 && channel.Ticked()) {
            refusal = CheckComposed(KindOf(i), logger_->Stored(channel.composed),
                                    channel.PointMode() == 1);
        }
        if (refusal != 0) {
            services::ShowMessageId(refusal, services::MsgButtons::Ok, services::MsgIcon::Warning);
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
    lastOutcome_ = {};
    BusyScope busy(View(), {kSend, kInitialise, kReceive});
    OperationPin pin{logger_.get()};
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

}  // namespace tb::pages
