// The page families of the sequence runs: the real pages behind the
// in-memory view, their real bindings (command client, link library, model
// libraries, port layer) and a simulated logger on a pseudo-terminal, on a
// virtual clock that runs far ahead of real time.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "client/CorrectionOperations.h"
#include "pages/AdjustmentRecord.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/PageLgr890.h"
#include "pages/TempHumidityPage.h"
#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"
#include "platform/Clock.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "resources/dialogs/MultiInputIds.h"
#include "resources/dialogs/OneChannelIds.h"
#include "resources/dialogs/PageButtonIds.h"
#include "resources/dialogs/TempHumidityIds.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/core/Bench.h"
#include "sim/lgr87x/HistoryDamage.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/LoggerModels.h"
#include "sim/loggers/SimulatedLogger.h"
#include "tests/sequence/SequenceRun.h"
#include "tests/support/BenchClock.h"
#include "tests/support/BenchLine.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace tb::sequence {
namespace {

using services::MsgAnswer;
using sim::Fault;
using sim::loggers::Block64;

constexpr int kMsgReceived = 106;
constexpr int kMsgSent = 1013;
constexpr int kMsgRecording = 1017;
constexpr int kMsgWriteFinished = 1050;
constexpr int kMsgCommBusy = 1037;

// The limit tables, per kind of channel, in the channel's own units: the
// base-unit kinds, then the direct-USB channels (slope above 0, at most 2).
Limits LimitsOf(Scheme scheme, Quantity quantity) {
    if (scheme == Scheme::DirectUsb) return {0.0, 2.0, quantity == Quantity::Co2 ? 3000.0 : 30.0};
    switch (quantity) {
        case Quantity::Voltage:
            return {0.0, 2.0, 3.0};
        case Quantity::NoiseVibration:
            return {0.5, 2.0, 50.0};
        default:
            return {0.0, 2.0, 30.0};
    }
}

// Each op's journal record, as the journal would get it.
class CapturingRecorder final : public pages::AdjustmentRecorder {
  public:
    void Record(const pages::AdjustmentRecord& record) override { last = record; }
    std::optional<pages::AdjustmentRecord> last;

  private:
    pages::ScopedAdjustmentRecorder installed_{*this};
};

// The controls of one channel of a base-unit page.
struct ChannelControls {
    int adjust;
    int onePoint;
    std::array<int, 4> boxes;
};

namespace oc = resources::one_channel;
namespace th = resources::temp_humidity;
namespace mi = resources::multi_input;
namespace lx = resources::lgr87x_ids;

const ChannelControls kOneChannel{
    oc::kAdjustChannel, oc::kOnePoint, {oc::kBefore1, oc::kAfter1, oc::kBefore2, oc::kAfter2}};
const ChannelControls kTemperature{
    th::kAdjust1,
    th::kOnePoint1,
    {th::kBefore1Row1, th::kAfter1Row1, th::kBefore1Row2, th::kAfter1Row2}};
const ChannelControls kHumidity{
    th::kAdjust2,
    th::kOnePoint2,
    {th::kBefore2Row1, th::kAfter2Row1, th::kBefore2Row2, th::kAfter2Row2}};
const ChannelControls kMultiInput{
    mi::kAdjust, mi::kOnePoint, {mi::kBefore1, mi::kAfter1, mi::kBefore2, mi::kAfter2}};

Codes CodesOf(const Block64& block, int channel) {
    const std::size_t at = static_cast<std::size_t>(channel) * 4;
    return {block[at] | (block[at + 1] << 8),
            static_cast<int16_t>(block[at + 2] | (block[at + 3] << 8))};
}

// What every family shares: the view, the scripted answers, the journal
// record and the bench.
class PageFamily : public Family {
  protected:
    explicit PageFamily(std::vector<ChannelRule> channels, std::vector<std::string> faults)
        : channels_(std::move(channels)), faults_(std::move(faults)) {}

    const std::vector<ChannelRule>& Channels() const override { return channels_; }
    const std::vector<std::string>& FaultNames() const override { return faults_; }
    std::string Dump() override { return bench_.Dump(); }

    void Open(pages::CPropertyPage& page) {
        page.AttachView(view_);
        page.OnInitDialog();
        page.OnSetActive();
    }

    // Sets the unit as the settings page would, then shows the page again.
    void ApplyUnit(pages::CPropertyPage& page, bool fahrenheit) {
        if (services::ReadTempUnit() == (fahrenheit ? 1 : 0)) return;
        services::WriteTempUnit(fahrenheit ? 1 : 0);
        page.OnSetActive();
    }

    void Click(pages::CPropertyPage& page, int id) { page.OnCommand(id); }

    OpReport Report(const pages::AdjustablePage& page, const std::vector<int>& recordChannels) {
        OpReport report;
        report.outcome = page.LastOutcome();
        for (const services::MessageBoxRequest& box : boxes_.Boxes()) {
            report.said += "[" + std::to_string(box.stringId) + "] " + box.text + "\n";
            if (box.stringId == kMsgReceived || box.stringId == kMsgSent ||
                box.stringId == kMsgWriteFinished) {
                report.success = true;
            }
            const bool warning =
                box.buttons == services::MsgButtons::Ok && box.icon == services::MsgIcon::Warning;
            if (box.stringId == kMsgCommBusy) report.busy = true;
            if (warning || box.stringId == kMsgRecording || report.busy) report.failure = true;
        }
        if (recorder_.last) {
            report.recorded = true;
            const auto& channels = recorder_.last->channels;
            for (std::size_t i = 0; i < channels.size() && i < recordChannels.size(); ++i) {
                if (!channels[i].asLeft) continue;
                report.asLeft.push_back(
                    {recordChannels[i], channels[i].asLeft->slope, channels[i].asLeft->offset});
            }
        }
        return report;
    }

    void StartOp(const Op& op) {
        boxes_.Clear();
        recorder_.last.reset();
        boxes_.SetDefaultAnswer(op.answerYes ? MsgAnswer::Yes : MsgAnswer::No);
    }

    sim::Bench bench_{{.pacing = false}};
    testsupport::BenchClock clock_{bench_};
    pages::MemoryDialogView view_;
    services::ScriptedMessageBoxes boxes_;
    CapturingRecorder recorder_;
    std::vector<ChannelRule> channels_;
    std::vector<std::string> faults_;
};

// Serial-line faults every family's port can show.
bool ArmLine(sim::Bench& bench, int com, const std::string& name, int skip, int count) {
    auto lock = bench.LockState();
    sim::SimPort* port = bench.Port(com);
    if (name == "silence")
        port->Faults().Arm(Fault::Silence(count).After(skip));
    else if (name == "unplug")
        port->PullAtReply(skip + 1);
    else
        return false;
    return true;
}

using testsupport::ClearLine;

// ---- Base-unit pages (820/821, 830, 835, 850) and the 890 cable ----------

ChannelRule BaseRule(const std::string& name, Quantity quantity, int slopeScale = 1000,
                     int offsetScale = 1000, int decimals = 3, bool roundsCurrent = false) {
    ChannelRule rule;
    rule.name = name;
    rule.quantity = quantity;
    rule.slopeScale = slopeScale;
    rule.offsetScale = offsetScale;
    rule.offsetDecimals = decimals;
    rule.roundsCurrent = roundsCurrent;
    rule.limits = LimitsOf(rule.scheme, quantity);
    return rule;
}

struct BaseUnitModel {
    std::string logger;  // the simulated model's name
    std::vector<ChannelRule> channels;
    std::vector<ChannelControls> controls;
    int inputRadio = 0;  // 850: the input kind's radio button
    bool noise = false;
};

class BaseUnitFamily final : public PageFamily {
  public:
    explicit BaseUnitFamily(const BaseUnitModel& model)
        : PageFamily(model.channels,
                     {"silence", "garble", "read-back differs", "unplug", "short data"}),
          model_(model),
          logger_(std::make_shared<sim::loggers::SimulatedLogger>(
              *sim::loggers::ModelForName(model.logger))) {
        if (model.noise) faults_.push_back("refused");
        com_ = bench_.Add(
            std::make_unique<sim::BaseUnit>(sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger_));
        bench_.UseTemporaryDeviceMap();
        page_ = MakePage();
        Open(*page_);
        if (model_.inputRadio != 0) {
            view_.SetRadioIndex(mi::kThermocouple, model_.inputRadio - mi::kThermocouple);
            Click(*page_, model_.inputRadio);
        }
    }

    std::vector<Codes> Held() override {
        auto lock = bench_.LockState();
        if (model_.noise) {
            const auto& held = logger_->PassThrough();
            return {{held.slopeCode, held.offsetCode}};
        }
        std::vector<Codes> codes;
        for (std::size_t i = 0; i < channels_.size(); ++i) {
            codes.push_back(CodesOf(logger_->Adjustment(), static_cast<int>(i)));
        }
        return codes;
    }

    std::vector<int> InitialisedWith(int) const override {
        std::vector<int> all;
        for (std::size_t i = 0; i < channels_.size(); ++i) all.push_back(static_cast<int>(i));
        return all;
    }

    OpReport Run(const Op& op) override {
        StartOp(op);
        ApplyUnit(*page_, op.fahrenheit);
        if (op.kind == OpKind::Send || op.kind == OpKind::BadEntry) Enter(op);
        using namespace resources::page_buttons;
        const int button = op.kind == OpKind::Initialise ? kInitialise
                           : op.kind == OpKind::Receive  ? kReceive
                                                         : kSend;
        Click(*page_, button);
        std::vector<int> all = InitialisedWith(0);
        return Report(dynamic_cast<const pages::AdjustablePage&>(*page_), all);
    }

    void Arm(int fault, int skip, int count) override {
        const std::string& name = faults_.at(static_cast<std::size_t>(fault));
        if (ArmLine(bench_, com_, name, skip, count)) return;
        auto lock = bench_.LockState();
        auto& faults = logger_->Faults();
        if (name == "garble")
            bench_.Port(com_)->Faults().Arm(Fault::Garble(-3, 0x5A, count).After(skip));
        else if (name == "read-back differs")
            faults.readBackDiffers = count;
        else if (name == "short data")
            faults.shortData = count;
        else if (name == "refused")
            faults.refusals = count;
    }

    void ClearFaults() override {
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        logger_->Faults().Clear();
    }

  private:
    std::unique_ptr<pages::CPropertyPage> MakePage() {
        const std::string& name = model_.logger;
        if (name == "820") return std::make_unique<pages::CPageLgr820>(pages::MakeBaseUnitLogger());
        if (name == "830") return std::make_unique<pages::CPageLgr830>(pages::MakeLgr830Logger());
        if (name == "835") return std::make_unique<pages::CPageLgr835>(pages::MakeLgr835Logger());
        return std::make_unique<pages::CPageLgr850>(pages::MakeMultiInputLogger);
    }

    void Enter(const Op& op) {
        const ChannelControls& target = model_.controls.at(static_cast<std::size_t>(op.channel));
        view_.SetCheck(target.adjust, true);
        Click(*page_, target.adjust);
        view_.SetRadioIndex(target.onePoint, op.entry.twoPoint ? 1 : 0);
        Click(*page_, target.onePoint);
        for (std::size_t box = 0; box < 4; ++box) view_.SetText(target.boxes[box], op.typed[box]);
    }

    BaseUnitModel model_;
    std::shared_ptr<sim::loggers::SimulatedLogger> logger_;
    int com_ = 0;
    std::unique_ptr<pages::CPropertyPage> page_;
};

class CableFamily final : public PageFamily {
  public:
    CableFamily()
        : PageFamily({BaseRule("CH1", Quantity::Temperature)},
                     {"silence", "garble", "refused", "read-back differs", "unplug"}) {
        cable_ = &bench_.Emplace<sim::loggers::Lgr890CableDevice>();
        com_ = bench_.ComNumberOf(*cable_);
        bench_.UseTemporaryDeviceMap();
        Open(page_);
    }

    std::vector<Codes> Held() override {
        auto lock = bench_.LockState();
        return {CodesOf(cable_->Adjustment(), 0)};
    }
    std::vector<int> InitialisedWith(int) const override { return {0}; }

    OpReport Run(const Op& op) override {
        StartOp(op);
        ApplyUnit(page_, op.fahrenheit);
        using namespace resources::page_buttons;
        if (op.kind == OpKind::Send || op.kind == OpKind::BadEntry) {
            view_.SetCheck(kOneChannel.adjust, true);
            Click(page_, kOneChannel.adjust);
            view_.SetRadioIndex(kOneChannel.onePoint, op.entry.twoPoint ? 1 : 0);
            Click(page_, kOneChannel.onePoint);
            for (std::size_t box = 0; box < 4; ++box)
                view_.SetText(kOneChannel.boxes[box], op.typed[box]);
        }
        Click(page_, op.kind == OpKind::Initialise ? kInitialise
                     : op.kind == OpKind::Receive  ? kReceive
                                                   : kSend);
        return Report(page_, {0});
    }

    void Arm(int fault, int skip, int count) override {
        const std::string& name = faults_.at(static_cast<std::size_t>(fault));
        if (ArmLine(bench_, com_, name, skip, count)) return;
        auto lock = bench_.LockState();
        auto& faults = cable_->Faults();
        // Byte 5 is the first adjustment byte of a read reply.
        if (name == "garble")
            bench_.Port(com_)->Faults().Arm(Fault::Garble(5, 0x5A, count).After(skip));
        else if (name == "refused")
            faults.refusals = count;
        else if (name == "read-back differs")
            faults.readBackDiffers = count;
    }

    void ClearFaults() override {
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        cable_->Faults().Clear();
    }

  private:
    sim::loggers::Lgr890CableDevice* cable_ = nullptr;
    int com_ = 0;
    pages::CPageLgr890 page_{pages::MakeLgr890CableLogger()};
};

// ---- Direct-USB pages (870, 875) -------------------------------------------

struct DirectUsbChannel {
    int row;  // the dialog's row of controls
    int tab;
    int number;  // the channel number the history record names
};

ChannelRule DirectRule(const std::string& name, Quantity quantity, int offsetScale = 1000,
                       int limit = 30000) {
    ChannelRule rule;
    rule.name = name;
    rule.scheme = Scheme::DirectUsb;
    rule.quantity = quantity;
    rule.offsetScale = offsetScale;
    rule.offsetLimitCode = limit;
    rule.limits = LimitsOf(rule.scheme, quantity);
    return rule;
}

// The logger's calibration and history groups of the first and second tab.
constexpr std::array<uint8_t, 2> kGroupOfTab{2, 1};
constexpr std::size_t kEntrySize = 15;
constexpr std::size_t kFactorsAt = 60;

template <class Page>
class DirectUsbFamily final : public PageFamily {
  public:
    // `bothTab`: the tab whose two channels may be ticked together, -1: none.
    DirectUsbFamily(sim::Lgr87xModel model, std::vector<ChannelRule> rules,
                    std::vector<DirectUsbChannel> places, int bothTab)
        : PageFamily(std::move(rules),
                     {"silence", "garble", "refused", "read-back differs", "unplug"}),
          places_(std::move(places)),
          bothTab_(bothTab) {
        device_ = &bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(model));
        com_ = bench_.ComNumberOf(*device_);
        bench_.UseTemporaryDeviceMap();
        Open(page_);
    }

    std::vector<Codes> Held() override {
        auto lock = bench_.LockState();
        std::vector<Codes> codes;
        for (const DirectUsbChannel& place : places_) {
            const auto& values = device_->Logger().calibration.at(kGroupOfTab[place.tab]).values;
            const std::size_t j = IndexInPair(place);
            codes.push_back({values[j * 2], values[j * 2 + 1]});
        }
        return codes;
    }

    HistoryFactor Factor(int channel) override {
        const DirectUsbChannel& place = places_.at(static_cast<std::size_t>(channel));
        auto lock = bench_.LockState();
        const auto& record = device_->Logger().history.at(kGroupOfTab[place.tab]);
        HistoryFactor factor;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            const uint8_t number = record[slot * kEntrySize];
            const uint8_t kind = record[slot * kEntrySize + 1];
            if ((kind == 1 || kind == 2) && number == place.number) factor.present = true;
        }
        std::memcpy(&factor.factor, &record[kFactorsAt + IndexInPair(place) * 8], sizeof(double));
        return factor;
    }

    int PairOf(int channel) const override {
        const DirectUsbChannel& place = places_.at(static_cast<std::size_t>(channel));
        for (std::size_t i = 0; i < places_.size(); ++i) {
            if (static_cast<int>(i) != channel && places_[i].tab == place.tab)
                return static_cast<int>(i);
        }
        return -1;
    }

    bool TicksBoth(int channel) const override {
        return PairOf(channel) >= 0 &&
               places_.at(static_cast<std::size_t>(channel)).tab == bothTab_;
    }

    std::vector<int> InitialisedWith(int channel) const override {
        return OnTab(places_.at(static_cast<std::size_t>(channel)).tab);
    }

    OpReport Run(const Op& op) override {
        StartOp(op);
        ApplyUnit(page_, op.fahrenheit);
        const DirectUsbChannel& place = places_.at(static_cast<std::size_t>(op.channel));
        view_.SelectTab(lx::kTabs, place.tab);
        Click(page_, lx::kTabs);
        if (op.kind == OpKind::Send || op.kind == OpKind::BadEntry) Enter(op, place);
        Click(page_, op.kind == OpKind::Initialise ? lx::kInitialise
                     : op.kind == OpKind::Receive  ? lx::kReceive
                                                   : lx::kSend);
        return Report(page_, OnTab(place.tab));
    }

    std::vector<Event> Events() const override {
        return {Event::RefuseCalibrationWrite,
                Event::RefuseHistoryWrite,
                Event::Recording,
                Event::BusyLock,
                Event::NanFactor,
                Event::HistoryGap,
                Event::ForeignEntry,
                Event::OutsideChange};
    }

    std::vector<std::string> MustReach() const override {
        std::vector<std::string> names{reached::kRotationPartnerAdjusted,
                                       reached::kRefusedCalibrationWrite,
                                       reached::kRefusedHistoryWrite,
                                       reached::kNanFactor,
                                       reached::kHistoryGap,
                                       reached::kForeignEntry,
                                       reached::kOutsideChange,
                                       reached::kRecording,
                                       reached::kBusyLock};
        if (bothTab_ >= 0) names.push_back(reached::kBothOfPair);
        return names;
    }

    void Prepare(const Op& op) override {
        pending_.clear();
        const DirectUsbChannel& place = places_.at(static_cast<std::size_t>(op.channel));
        const uint8_t group = kGroupOfTab[place.tab];
        const bool present = Factor(op.channel).present;
        auto lock = bench_.LockState();
        sim::Lgr87xLogger& logger = device_->Logger();
        if (op.kind == OpKind::Send && op.answerYes) NoteRotation(op, place);
        if (op.bothOfPair) pending_.push_back(reached::kBothOfPair);
        auto damage = [&](sim::HistoryDamage kind, const char* name) {
            sim::DamageHistory(logger.history.at(group), kind, IndexInPair(place),
                               ForeignChannel(place));
            pending_.push_back(name);
        };
        switch (op.event) {
            case Event::RefuseCalibrationWrite:
                logger.ArmFault(sim::Lgr87xFault::kRefusal, op.eventCount, kCalibrationWrite);
                break;
            case Event::RefuseHistoryWrite:
                logger.ArmFault(sim::Lgr87xFault::kRefusal, op.eventCount, kHistoryWrite);
                break;
            case Event::Recording:
                logger.ArmFault(sim::Lgr87xFault::kRecording, 1, kCalibrationWrite);
                break;
            case Event::BusyLock:
                lockHeld_ = services::AcquireCommBusy();
                break;
            case Event::NanFactor:
                // A factor is read only while the record holds the channel's entries.
                if (present) damage(sim::HistoryDamage::kNanFactor, reached::kNanFactor);
                break;
            case Event::HistoryGap:
                damage(sim::HistoryDamage::kGap, reached::kHistoryGap);
                break;
            case Event::ForeignEntry:
                damage(sim::HistoryDamage::kForeignEntry, reached::kForeignEntry);
                break;
            case Event::OutsideChange:
                ChangeOutside(op, place);
                if (present) pending_.push_back(reached::kOutsideChange);
                break;
            case Event::None:
                break;
        }
    }

    std::vector<std::string> Reached(const Op& op, const OpReport& report) override {
        std::vector<std::string> names;
        // What was set up counts once the page took it in: a send that got
        // as far as a report.
        if (report.success || report.failure) names = pending_;
        auto lock = bench_.LockState();
        const sim::Lgr87xLogger& logger = device_->Logger();
        auto taken = [&](sim::Lgr87xFault fault, int command, int armed) {
            const int left = logger.FaultAnswersLeft(fault, command);
            return left >= 0 && left < armed;
        };
        switch (op.event) {
            case Event::RefuseCalibrationWrite:
                if (taken(sim::Lgr87xFault::kRefusal, kCalibrationWrite, op.eventCount))
                    names.push_back(reached::kRefusedCalibrationWrite);
                break;
            case Event::RefuseHistoryWrite:
                if (taken(sim::Lgr87xFault::kRefusal, kHistoryWrite, op.eventCount))
                    names.push_back(reached::kRefusedHistoryWrite);
                break;
            case Event::Recording:
                if (taken(sim::Lgr87xFault::kRecording, kCalibrationWrite, 1))
                    names.push_back(reached::kRecording);
                break;
            case Event::BusyLock:
                if (report.busy) names.push_back(reached::kBusyLock);
                break;
            default:
                break;
        }
        return names;
    }

    void Arm(int fault, int skip, int count) override {
        const std::string& name = faults_.at(static_cast<std::size_t>(fault));
        if (ArmLine(bench_, com_, name, skip, count)) return;
        auto lock = bench_.LockState();
        auto& logger = device_->Logger();
        if (name == "garble")
            bench_.Port(com_)->Faults().Arm(Fault::Garble(-1, 0xFF, count).After(skip));
        else if (name == "refused")
            logger.ArmFault(sim::Lgr87xFault::kRefusal, count);
        else if (name == "read-back differs")
            logger.ArmFault(sim::Lgr87xFault::kStoresAltered, count);
    }

    void ClearFaults() override {
        if (lockHeld_) services::ReleaseCommBusy();
        lockHeld_ = false;
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        device_->Logger().ClearFaults();
    }

  private:
    static constexpr int kCalibrationWrite = 0x5B;
    static constexpr int kHistoryWrite = 0x5D;
    static constexpr std::size_t kSlots = 4;
    static constexpr int kUnadjustedSlope = 1000;

    std::size_t IndexInPair(const DirectUsbChannel& place) const { return place.row % 2; }

    // A channel number of the other tab, as another sensor's entry names it.
    uint8_t ForeignChannel(const DirectUsbChannel& place) const {
        for (const DirectUsbChannel& other : places_) {
            if (other.tab != place.tab) return static_cast<uint8_t>(other.number);
        }
        return 0;
    }

    // Entries valid from the first slot on, as the pages count them.
    static int ValidEntries(const std::array<uint8_t, 80>& record) {
        int count = 0;
        for (std::size_t slot = 0; slot < kSlots; ++slot) {
            const uint8_t number = record[slot * kEntrySize];
            const uint8_t kind = record[slot * kEntrySize + 1];
            const bool valid =
                kind == 3 || (number >= 1 && number <= 4 && (kind == 1 || kind == 2));
            if (!valid) break;
            ++count;
        }
        return count;
    }

    // A send on a full record drops its oldest entry; it counts when the
    // partner holds a slope of its own, which the new record must keep.
    void NoteRotation(const Op& op, const DirectUsbChannel& place) {
        const int partner = PairOf(op.channel);
        if (partner < 0) return;
        const auto& record = device_->Logger().history.at(kGroupOfTab[place.tab]);
        const DirectUsbChannel& other = places_.at(static_cast<std::size_t>(partner));
        const auto& values = device_->Logger().calibration.at(kGroupOfTab[other.tab]).values;
        if (ValidEntries(record) == static_cast<int>(kSlots) &&
            values[IndexInPair(other) * 2] != kUnadjustedSlope) {
            pending_.push_back(reached::kRotationPartnerAdjusted);
        }
    }

    // Another program writes the channel's codes, staying within its limits.
    void ChangeOutside(const Op& op, const DirectUsbChannel& place) {
        const ChannelRule& rule = channels_.at(static_cast<std::size_t>(op.channel));
        auto& values = device_->Logger().calibration.at(kGroupOfTab[place.tab]).values;
        const std::size_t j = IndexInPair(place);
        values[j * 2] =
            static_cast<int16_t>(std::clamp(values[j * 2] + op.outsideDelta[0], 1, 2000));
        values[j * 2 + 1] = static_cast<int16_t>(std::clamp(
            values[j * 2 + 1] + op.outsideDelta[1], -rule.offsetLimitCode, rule.offsetLimitCode));
    }

    std::vector<int> OnTab(int tab) const {
        std::vector<int> channels;
        for (std::size_t i = 0; i < places_.size(); ++i) {
            if (places_[i].tab == tab) channels.push_back(static_cast<int>(i));
        }
        return channels;
    }

    void Enter(const Op& op, const DirectUsbChannel& place) {
        for (const DirectUsbChannel& other : places_) {
            if (other.tab != place.tab || other.row == place.row) continue;
            if (op.bothOfPair) {
                EnterRow(other.row, op.partnerEntry, op.partnerTyped);
            } else {
                view_.SetCheck(lx::kCheck[other.row], false);
                Click(page_, lx::kCheck[other.row]);
            }
        }
        EnterRow(place.row, op.entry, op.typed);
    }

    void EnterRow(int row, const Entry& entry, const std::array<std::string, 4>& typed) {
        view_.SetCheck(lx::kCheck[row], true);
        Click(page_, lx::kCheck[row]);
        view_.SetRadioIndex(lx::kOnePoint[row], entry.twoPoint ? 1 : 0);
        Click(page_, lx::kOnePoint[row]);
        const int boxes[4] = {lx::kBefore1[row], lx::kAfter1[row], lx::kBefore2[row],
                              lx::kAfter2[row]};
        for (std::size_t box = 0; box < 4; ++box) {
            if (view_.IsEnabled(boxes[box])) view_.SetText(boxes[box], typed[box]);
        }
    }

    std::vector<DirectUsbChannel> places_;
    int bothTab_ = -1;
    std::vector<std::string> pending_;  // what this op set up, counted once it ran
    bool lockHeld_ = false;
    sim::Lgr87xDevice* device_ = nullptr;
    int com_ = 0;
    Page page_;
};

BaseUnitModel MultiInput(const std::string& logger, int radio, ChannelRule rule) {
    return {logger, {std::move(rule)}, {kMultiInput}, radio, logger == "850-noise"};
}

}  // namespace

const std::map<std::string, FamilyFactory>& Families() {
    static const std::map<std::string, FamilyFactory> families = {
        {"820",
         [] {
             return std::make_unique<BaseUnitFamily>(
                 BaseUnitModel{"820", {BaseRule("CH1", Quantity::Temperature)}, {kOneChannel}});
         }},
        {"830",
         [] {
             return std::make_unique<BaseUnitFamily>(BaseUnitModel{
                 "830",
                 {BaseRule("CH1", Quantity::Temperature), BaseRule("CH2", Quantity::Humidity)},
                 {kTemperature, kHumidity}});
         }},
        {"835",
         [] {
             return std::make_unique<BaseUnitFamily>(BaseUnitModel{
                 "835",
                 {BaseRule("CH1", Quantity::Temperature), BaseRule("CH2", Quantity::Humidity)},
                 {kTemperature, kHumidity}});
         }},
        {"850-tc",
         [] {
             return std::make_unique<BaseUnitFamily>(
                 MultiInput("850-tc", mi::kThermocouple,
                            BaseRule("CH1", Quantity::Temperature, 16384, 10, 1, true)));
         }},
        {"850-pt",
         [] {
             return std::make_unique<BaseUnitFamily>(
                 MultiInput("850-pt", mi::kResistance,
                            BaseRule("CH1", Quantity::Temperature, 16384, 10, 1, true)));
         }},
        {"850-ma",
         [] {
             return std::make_unique<BaseUnitFamily>(
                 MultiInput("850-ma", mi::kCurrentLoop,
                            BaseRule("CH1", Quantity::CurrentLoop, 16384, 1000, 3, true)));
         }},
        {"850-v",
         [] {
             return std::make_unique<BaseUnitFamily>(MultiInput(
                 "850-v", mi::kVoltage, BaseRule("CH1", Quantity::Voltage, 4096, 10000, 3, true)));
         }},
        {"850-noise",
         [] {
             return std::make_unique<BaseUnitFamily>(
                 MultiInput("850-noise", mi::kNoiseVibration,
                            BaseRule("CH1", Quantity::NoiseVibration, 1000, 10, 1, true)));
         }},
        {"890", [] { return std::make_unique<CableFamily>(); }},
        {"870",
         [] {
             return std::make_unique<DirectUsbFamily<pages::lgr87x::CPageLgr870>>(
                 sim::Lgr87xModel::k870,
                 std::vector<ChannelRule>{DirectRule("CH1", Quantity::Illuminance),
                                          DirectRule("CH2", Quantity::Uv),
                                          DirectRule("CH3", Quantity::Temperature),
                                          DirectRule("CH4", Quantity::Humidity)},
                 std::vector<DirectUsbChannel>{{0, 0, 1}, {1, 0, 2}, {2, 1, 3}, {3, 1, 4}}, 0);
         }},
        {"875",
         [] {
             return std::make_unique<DirectUsbFamily<pages::lgr87x::CPageLgr875>>(
                 sim::Lgr87xModel::k875,
                 std::vector<ChannelRule>{DirectRule("CH1", Quantity::Co2, 1, 3000),
                                          DirectRule("CH2", Quantity::Temperature),
                                          DirectRule("CH3", Quantity::Humidity)},
                 std::vector<DirectUsbChannel>{{0, 0, 1}, {2, 1, 2}, {3, 1, 3}}, -1);
         }},
    };
    return families;
}

}  // namespace tb::sequence
