#include "tests/faults/FaultRigs.h"

#include <array>
#include <cstdio>
#include <optional>

#include "services/PageServices.h"
#include "tests/support/BenchClock.h"
#include "tests/support/BenchLine.h"
#include "tests/support/CappedWaitPortLayer.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "client/CorrectionOperations.h"
#include "client/LinkApi.h"
#include "link/VkLGR800Comm.h"
#include "modelcom/lgr870/VkLGR870Com.h"
#include "modelcom/lgr875/VkLGR875Com.h"
#include "platform/Clock.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/baseunit/BaseUnitFaults.h"
#include "sim/core/Bench.h"
#include "sim/lan/LanUnitWithLogger.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "sim/lgr87x/Lgr87xFaultNames.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/LoggerModels.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::faults {
namespace {

using sim::Fault;

constexpr int kAlways = -1;
constexpr int kMany = 1000;  // a device-side fault counter that outlasts every retry
constexpr int kSplitPauseMs = 5;

template <size_t N>
std::string Hex(const std::array<uint8_t, N>& bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%02x", b);
        text += two;
    }
    return text;
}

// The faults every serial-line rig shares: the line's own and the port's.
bool ArmLineFault(sim::Bench& bench, int com, const std::string& fault) {
    auto lock = bench.LockState();
    sim::SimPort* port = bench.Port(com);
    if (fault == "split") port->Faults().Arm(Fault::Split(8, kSplitPauseMs, kAlways));
    else if (fault == "silent") port->Faults().Arm(Fault::Silence(kAlways));
    else if (fault == "busy port") return port->SetBusy(true);
    else if (fault == "unplug mid-exchange") port->PullOnNextReply();
    else return false;
    return true;
}

using testsupport::ClearLine;

// The correction the base-unit and cable rigs write: slope 1.25, offset -0.5.
WriteOutcome SendOneChannel(int kind, int mode, services::ScriptedMessageBoxes& boxes) {
    boxes.Clear();
    const std::array<double, 1> slopes{1.25}, offsets{-0.5};
    WriteOutcome outcome;
    outcome.succeeded = client::SendCorrection(kind, slopes, offsets, 1000, 1000, mode);
    const auto texts = boxes.Texts();
    outcome.said = texts.empty() ? "(no message)" : texts.back();
    return outcome;
}

// A logger behind a base unit, reached over USB through the client.
class BaseUnitRig final : public Rig {
  public:
    BaseUnitRig()
        : logger_(std::make_shared<sim::loggers::SimulatedLogger>(
              *sim::loggers::ModelForDeviceCode(0x40))) {
        com_ = bench_.Add(std::make_unique<sim::BaseUnit>(
            sim::BaseUnitConfig{.serial = 0x00FA0170}, logger_));
        bench_.UseTemporaryDeviceMap();
    }
    WriteOutcome Write() override { return SendOneChannel(client::kKindOneChannel, 0, boxes_); }
    WriteOutcome Read() override {
        boxes_.Clear();
        std::array<double, 1> slopes{}, offsets{};
        const bool read =
            client::ReadCorrection(client::kKindOneChannel, slopes, offsets, 1000, 1000);
        return {read, boxes_.Texts().empty() ? "" : boxes_.Texts().back()};
    }
    std::string Held() override {
        auto lock = bench_.LockState();
        return Hex(logger_->Adjustment());
    }
    std::string FailureText() const override { return services::LoadResString(1048); }
    bool Arm(const std::string& fault) override {
        if (ArmLineFault(bench_, com_, fault)) return true;
        auto lock = bench_.LockState();
        auto& faults = logger_->Faults();
        if (fault == "garbled") return ArmReply(*sim::BaseUnitFault("garbled-check", kAlways));
        if (fault == "short") return ArmReply(*sim::BaseUnitFault("short", kAlways));
        if (fault == "read-back differs") faults.readBackDiffers = kMany;
        else if (fault == "wrong word") faults.wrongWord = kMany;
        else if (fault == "no status") faults.missingStatus = kMany;
        else if (fault == "short data") faults.shortData = kMany;
        else return false;
        return true;
    }
    void ClearFaults() override {
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        logger_->Faults().Clear();
    }
    std::string Dump() override { return bench_.Dump(); }

  private:
    bool ArmReply(const Fault& fault) {
        bench_.Port(com_)->Faults().Arm(fault);
        return true;
    }

    sim::Bench bench_{{.pacing = false}};
    testsupport::BenchClock clock_{bench_};
    std::shared_ptr<sim::loggers::SimulatedLogger> logger_;
    int com_ = 0;
    services::ScriptedMessageBoxes boxes_;
};

// The model-890 cable on its serial line, through the client.
class CableRig final : public Rig {
  public:
    CableRig() {
        cable_ = &bench_.Emplace<sim::loggers::Lgr890CableDevice>();
        com_ = bench_.ComNumberOf(*cable_);
        bench_.UseTemporaryDeviceMap();
    }
    WriteOutcome Write() override { return SendOneChannel(client::kKindLgr890, 4, boxes_); }
    std::string Held() override {
        auto lock = bench_.LockState();
        return Hex(cable_->Adjustment());
    }
    std::string FailureText() const override { return services::LoadResString(1048); }
    bool Arm(const std::string& fault) override {
        if (ArmLineFault(bench_, com_, fault)) return true;
        auto lock = bench_.LockState();
        auto& faults = cable_->Faults();
        // Byte 5 is the first adjustment byte of the read-back that confirms the write.
        if (fault == "garbled") bench_.Port(com_)->Faults().Arm(Fault::Garble(5, 0x5A, kAlways));
        else if (fault == "short") bench_.Port(com_)->Faults().Arm(Fault::Short(3, kAlways));
        else if (fault == "refused") faults.refusals = kMany;
        else if (fault == "read-back differs") faults.readBackDiffers = kMany;
        else if (fault == "short data") faults.shortData = kMany;
        else if (fault == "bad check") faults.badCheck = kMany;
        else return false;
        return true;
    }
    void ClearFaults() override {
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        cable_->Faults().Clear();
    }
    std::string Dump() override { return bench_.Dump(); }

  private:
    sim::Bench bench_{{.pacing = false}};
    testsupport::BenchClock clock_{bench_};
    sim::loggers::Lgr890CableDevice* cable_ = nullptr;
    int com_ = 0;
    services::ScriptedMessageBoxes boxes_;
};

// A model-870 or model-875 logger on its own USB port, through its model
// library: the 870's illuminance calibration, the 875's CO2 channel.
class Lgr87xRig final : public Rig {
  public:
    explicit Lgr87xRig(sim::Lgr87xModel model) : model_(model) {
        device_ = &bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(model));
        com_ = bench_.ComNumberOf(*device_);
        bench_.UseTemporaryDeviceMap();
        auto lock = bench_.LockState();
        serial_ = device_->Logger().Serial();
    }
    WriteOutcome Write() override {
        const int code = model_ == sim::Lgr87xModel::k870 ? Write870() : Write875();
        return {code == 0, "code " + std::to_string(code)};
    }
    std::string Held() override {
        auto lock = bench_.LockState();
        std::string text;
        for (const auto& [group, calibration] : device_->Logger().calibration) {
            text += std::to_string(group) + ":" + std::to_string(calibration.time);
            for (int16_t value : calibration.values) text += " " + std::to_string(value);
            text += ";";
        }
        return text;
    }
    std::string FailureText() const override { return {}; }
    bool Arm(const std::string& fault) override {
        if (ArmLineFault(bench_, com_, fault)) return true;
        auto lock = bench_.LockState();
        auto& logger = device_->Logger();
        auto& line = bench_.Port(com_)->Faults();
        if (fault == "garbled") line.Arm(Fault::Garble(1, 0xFF, kAlways));
        else if (fault == "short") line.Arm(*sim::Lgr87xLineFaultByName("short", kAlways));
        else if (fault == "bad check") line.Arm(*sim::Lgr87xLineFaultByName("garble", kAlways));
        else if (fault == "refused") logger.ArmFault(sim::Lgr87xFault::kRefusal, kAlways);
        else if (fault == "recording") logger.ArmFault(sim::Lgr87xFault::kRecording, kAlways);
        else return false;
        return true;
    }
    void ClearFaults() override {
        ClearLine(bench_, com_);
        auto lock = bench_.LockState();
        device_->Logger().ClearFaults();
    }
    std::string Dump() override { return bench_.Dump(); }

  private:
    static constexpr int32_t kTime = 1700000000;

    // Each library finds the logger by its serial number on the ports it
    // lists, then writes; `write` is given the serial.
    template <class IsConnect, class GetInfo, class Write>
    int ListThenWrite(IsConnect isConnect, GetInfo getInfo, Write write) {
        uint8_t flags[256] = {};
        isConnect(flags, 256);
        uint32_t serial = 0;
        int16_t type = 0;
        char a[64] = {}, b[64] = {};
        getInfo(com_, &serial, &type, a, b);
        return write(serial_);
    }
    int Write870() {
        return ListThenWrite(VkLGR870Com_IsConnect, VkLGR870Com_GetConctMachInfo, [](uint32_t s) {
            return VkLGR870Com_SetCalibrationIU(s, kTime, 1012, -340, 987, 55);
        });
    }
    int Write875() {
        return ListThenWrite(VkLGR875Com_IsConnect, VkLGR875Com_GetConctMachInfo, [](uint32_t s) {
            return VkLGR875Com_SetCalibrationCh1(s, kTime, 1012, -35);
        });
    }

    // Reply waits of at most 1.5 s: a silent logger fails as it would after
    // ten, and a reply in pieces still has ample time on a busy machine.
    testsupport::CappedWaitPortLayer ports_{1500};
    link::ScopedPortLayer scopedPorts_{ports_};
    sim::Bench bench_{{.pacing = false}};
    testsupport::BenchClock clock_{bench_};
    sim::Lgr87xModel model_;
    sim::Lgr87xDevice* device_ = nullptr;
    int com_ = 0;
    uint32_t serial_ = 0;
};

// The client's write over a LAN connection: the link calls the client makes
// are served by a LAN key opened on the unit, so the same write, read-back
// and checks run as over USB.
class LanRig final : public Rig {
  public:
    LanRig() : made_(sim::lan::MakeLanUnitWithLogger({.loggerModel = "820"})) {
        current_ = this;
    }
    ~LanRig() override { current_ = nullptr; }

    WriteOutcome Write() override { return SendOneChannel(client::kKindOneChannel, 0, boxes_); }
    std::string Held() override {
        auto lock = made_.unit->LockState();
        return Hex(made_.logger->Adjustment());
    }
    std::string FailureText() const override { return services::LoadResString(1048); }
    bool Arm(const std::string& fault) override {
        auto& unit = *made_.unit;
        if (fault == "refused") return sim::lan::ArmLanFault(unit, "refuse-connections");
        auto lock = unit.LockState();
        auto& faults = made_.logger->Faults();
        if (fault == "garbled") unit.ReplyFaults().Arm(Fault::Garble(-1, 0x5A, kAlways));
        else if (fault == "short") unit.ReplyFaults().Arm(Fault::Short(4, kAlways));
        else if (fault == "split") unit.ReplyFaults().Arm(Fault::Split(8, kSplitPauseMs, kAlways));
        else if (fault == "silent") unit.ReplyFaults().Arm(Fault::Silence(kAlways));
        else if (fault == "read-back differs") faults.readBackDiffers = kMany;
        else if (fault == "wrong word") faults.wrongWord = kMany;
        else if (fault == "no status") faults.missingStatus = kMany;
        else if (fault == "short data") faults.shortData = kMany;
        else if (fault == "slow LAN peer") return sim::lan::ArmLanFault(unit, "slow-peer");
        else if (fault == "LAN peer closing mid-frame")
            return sim::lan::ArmLanFault(unit, "close-mid-frame");
        else return false;
        return true;
    }
    void ClearFaults() override {
        auto& unit = *made_.unit;
        unit.RefuseConnections(false);  // waits for the unit's thread: not under its lock
        auto lock = unit.LockState();
        unit.ReplyFaults().Clear();
        unit.SetFaults({});
        made_.logger->Faults().Clear();
    }
    std::string Dump() override {
        auto lock = made_.unit->LockState();
        return made_.logger->DumpState();
    }

  private:
    static constexpr uint32_t kUnitKey = 0x00012345;
    static constexpr int kReceiveSeconds = 2;

    static int GetSerial(uint32_t* serials, int count, int, int) {
        if (count < 1) return 0;
        serials[0] = kUnitKey;
        return 1;
    }
    static int Open(uint32_t) {
        lanKey_ = 0;
        return VkLGR800_OpenLANComm("127.0.0.1", current_->made_.unit->Port(),
                                    sim::lan::kDefaultLogin, 1, &lanKey_);
    }
    static int Clear(uint32_t, int selector) { return VkLGR800_ClearCommBuf(lanKey_, selector); }
    static int Send(uint32_t, const uint8_t* data, int length) {
        return VkLGR800_SendComm(lanKey_, data, length);
    }
    static int Receive(uint32_t, uint8_t* buffer, int capacity, int) {
        return VkLGR800_RecvComm(lanKey_, buffer, capacity, kReceiveSeconds);
    }
    static int Close(uint32_t) { return lanKey_ != 0 ? VkLGR800_CloseComm(lanKey_) : 0; }

    static inline LanRig* current_ = nullptr;
    static inline uint32_t lanKey_ = 0;

    sim::lan::LanUnitWithLogger made_;
    services::ScriptedMessageBoxes boxes_;
    static inline const client::LinkApi kLanCalls{VkLGR800_GetConnectNum, GetSerial, Open, Clear,
                                                  Send,  Receive,  Close};
    client::ScopedLinkApi link_{kLanCalls};
};

}  // namespace

std::unique_ptr<Rig> MakeBaseUnitRig() { return std::make_unique<BaseUnitRig>(); }
std::unique_ptr<Rig> MakeCableRig() { return std::make_unique<CableRig>(); }
std::unique_ptr<Rig> MakeLgr870Rig() { return std::make_unique<Lgr87xRig>(sim::Lgr87xModel::k870); }
std::unique_ptr<Rig> MakeLgr875Rig() { return std::make_unique<Lgr87xRig>(sim::Lgr87xModel::k875); }
std::unique_ptr<Rig> MakeLanRig() { return std::make_unique<LanRig>(); }

}  // namespace tb::faults
