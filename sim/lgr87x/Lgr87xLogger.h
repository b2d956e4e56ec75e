// A simulated direct-USB logger of model 870 (illuminance/UV plus
// temperature/humidity) or 875 (CO2 plus temperature/humidity): its memory
// and its answers to the command frames, with the refusals and download
// mistakes a test can ask for. Line faults (silence, short or garbled
// replies) and the busy port belong to the bench.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/lgr87x/Co2SensorModule.h"
#include "sim/lgr87x/Lgr87xWire.h"

namespace tb::sim {

enum class Lgr87xModel { k870, k875 };

enum class Lgr87xFault {
    kRecording,      // status 0x09: the logger is recording
    kRefusal,        // status 0x15
    kStatus35,       // status 0x35
    kBlockSkip,      // a data block carries a sequence number one too far
    kSensorBadCrc,   // the sensor module's reply carries a wrong CRC
    kOverReport,     // the recorded-data table reports all data, whatever was asked
    kStoresAltered,  // a calibration write is acknowledged, but its first slope is kept one code
                     // higher
};

struct Lgr87xCalibration {
    int32_t time = 0;
    std::array<int16_t, 4> values{1000, 0, 1000, 0};  // slope x 1000, offset, slope, offset
};

class Lgr87xLogger {
  public:
    Lgr87xLogger(Lgr87xModel model, uint32_t serial);

    Lgr87xModel Model() const { return model_; }
    uint32_t Serial() const { return serial_; }
    uint16_t TypeCode() const { return model_ == Lgr87xModel::k870 ? 0x0467 : 0x0480; }

    // The reply to one request frame; nothing when the logger stays silent.
    std::optional<std::vector<uint8_t>> Answer(const Lgr87xRequest& request);

    // Arms a fault for the next `count` answers (-1: until cleared), only
    // for `command` and `sub` when those are not negative.
    void ArmFault(Lgr87xFault fault, int count = 1, int command = -1, int sub = -1);
    void ClearFaults() { faults_.clear(); }
    // The answers a fault armed for `command` (-1: for any command) has
    // left to spoil; -1 for one armed until cleared.
    int FaultAnswersLeft(Lgr87xFault fault, int command = -1) const;

    // State, for tests and the bench's dump.
    bool recording = false;
    std::map<uint8_t, Lgr87xCalibration> calibration;  // group 1 and 2
    std::map<uint8_t, std::array<uint8_t, 80>> history;
    std::array<uint8_t, 4> radio{1, 0, 0, 0};
    std::array<uint8_t, 42> recordingSettings{};
    std::array<int16_t, 6> current{};
    int16_t macCode = 0x0101;
    int16_t firmware = 0x0123;
    std::array<int16_t, 3> partVersions{0x0210, 0x0320, 0x0430};
    std::array<int32_t, 3> partBuilds{20240101, 20240202, 20240303};
    uint8_t unit = 0;
    std::array<uint8_t, 2> display{1, 0};
    std::array<int16_t, 4> battery{3000, 2900, 100, 0};
    uint8_t lock = 0;
    std::array<uint8_t, 64> channelNames{};
    std::array<uint8_t, 18> comInfo{};
    std::vector<uint8_t> recordedData;  // records of 8 (870) or 6 (875) bytes
    std::array<uint8_t, 16> airPressure{};
    Co2SensorModule sensor;
    uint8_t firstSequence = 0x10;

    std::array<uint8_t, 192> Table() const;
    void SetName(size_t which, const std::string& name);  // 0: name A, 1: name B
    size_t RecordSize() const { return model_ == Lgr87xModel::k870 ? 8 : 6; }
    // Fills the recorded data with `records` records of recognisable values.
    void FillRecords(size_t records);

    std::string DumpState() const;

  private:
    struct ArmedFault {
        Lgr87xFault fault;
        int count;
        int command;
        int sub;
    };
    bool TakeFault(Lgr87xFault fault, uint8_t command, uint8_t sub = 0);
    std::optional<uint8_t> RefusalStatus(uint8_t command, uint8_t sub);
    std::vector<uint8_t> Ok(uint8_t command, std::span<const uint8_t> data = {});
    std::vector<uint8_t> Dispatch(const Lgr87xRequest& request);
    std::vector<uint8_t> RecordTable(const Lgr87xRequest& request);
    std::optional<std::vector<uint8_t>> DataBlock(const Lgr87xRequest& request);
    std::vector<uint8_t> Version(uint8_t sub);
    std::vector<uint8_t> SensorMessage(const Lgr87xRequest& request);

    Lgr87xModel model_;
    uint32_t serial_;
    std::array<uint8_t, 192> table_{};
    std::vector<ArmedFault> faults_;

    // The bulk download under way.
    size_t reportedBytes_ = 0;
    size_t nextBlock_ = 0;
    uint8_t sequence_ = 0;
    std::vector<uint8_t> lastBlock_;
    bool blockSent_ = false;
};

}  // namespace tb::sim
