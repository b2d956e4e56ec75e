#include "sim/lgr87x/Lgr87xLogger.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "sim/core/WireBytes.h"

namespace tb::sim {

namespace {

constexpr uint8_t kAccepted = 0x06;
constexpr uint8_t kRefused = 0x15;
constexpr uint8_t kRecordingStatus = 0x09;
constexpr uint8_t kStatus35 = 0x35;
constexpr size_t kBlockSize = 1024;

// Commands that change the logger's memory; refused while it records.
bool IsMemoryWrite(uint8_t command) {
    switch (command) {
        case 0x5B:  // calibration
        case 0x5D:  // history
        case 0x50:  // channel names
        case 0x60:  // communication info
        case 0x37:  // unit
            return true;
        default:
            return false;
    }
}

std::string Hex(std::span<const uint8_t> bytes) {
    std::string text;
    char buffer[4];
    for (uint8_t b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        text += buffer;
    }
    return text;
}

}  // namespace

Lgr87xLogger::Lgr87xLogger(Lgr87xModel model, uint32_t serial) : model_(model), serial_(serial) {
    calibration[1] = {};
    calibration[2] = {};
    history[1] = {};
    history[2] = {};
    // Recording settings the logger table carries at fixed places.
    table_[0] = 0x01;
    table_[11] = 0x0A;
    for (size_t i = 16; i < 32; ++i) table_[i] = static_cast<uint8_t>(i);
    table_[37] = 0x02;
    table_[44] = 0x01;
    table_[164] = 0x3C;
    SetName(0, model == Lgr87xModel::k870 ? "LGR-870" : "LGR-875");
    SetName(1, "SIM");
    const char* names[] = {"CH1", "CH2", "CH3", "CH4"};
    for (size_t i = 0; i < 4; ++i) {
        std::copy_n(names[i], 3, channelNames.begin() + static_cast<long>(i * 16));
    }
    current = model == Lgr87xModel::k870 ? std::array<int16_t, 6>{1234, 567, 215, 480, 11, 22}
                                         : std::array<int16_t, 6>{800, 215, 480, 0, 0, 0};
    wire::WriteU16(airPressure, 0, 0);
    wire::WriteU16(airPressure, 2, 10000);
}

void Lgr87xLogger::SetName(size_t which, const std::string& name) {
    size_t at = which == 0 ? 128 : 136;
    std::fill_n(table_.begin() + static_cast<long>(at), 8, 0);
    std::copy_n(name.begin(), std::min<size_t>(name.size(), 8),
                table_.begin() + static_cast<long>(at));
}

std::array<uint8_t, 192> Lgr87xLogger::Table() const {
    std::array<uint8_t, 192> table = table_;
    wire::WriteU32(table, 45, serial_);
    wire::WriteU16(table, 62, TypeCode());
    return table;
}

void Lgr87xLogger::FillRecords(size_t records) {
    recordedData.assign(records * RecordSize(), 0);
    const size_t values = RecordSize() / 2;
    for (size_t i = 0; i < records; ++i) {
        for (size_t v = 0; v < values; ++v) {
            wire::WriteU16(recordedData, i * RecordSize() + v * 2,
                           static_cast<uint32_t>(i * 10 + v));
        }
    }
}

void Lgr87xLogger::ArmFault(Lgr87xFault fault, int count, int command, int sub) {
    if (count == 0) return;
    faults_.push_back({fault, count, command, sub});
}

int Lgr87xLogger::FaultAnswersLeft(Lgr87xFault fault, int command) const {
    int left = 0;
    for (const ArmedFault& armed : faults_) {
        if (armed.fault != fault || (command >= 0 && armed.command != command)) continue;
        if (armed.count < 0) return -1;
        left += armed.count;
    }
    return left;
}

bool Lgr87xLogger::TakeFault(Lgr87xFault fault, uint8_t command, uint8_t sub) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->fault != fault || (it->command >= 0 && it->command != command)) continue;
        if (it->sub >= 0 && it->sub != sub) continue;
        if (it->count > 0 && --it->count == 0) faults_.erase(it);
        return true;
    }
    return false;
}

std::optional<uint8_t> Lgr87xLogger::RefusalStatus(uint8_t command, uint8_t sub) {
    if (TakeFault(Lgr87xFault::kRecording, command, sub)) return kRecordingStatus;
    if (TakeFault(Lgr87xFault::kRefusal, command, sub)) return kRefused;
    if (TakeFault(Lgr87xFault::kStatus35, command, sub)) return kStatus35;
    if (recording && IsMemoryWrite(command)) return kRecordingStatus;
    return std::nullopt;
}

std::vector<uint8_t> Lgr87xLogger::Ok(uint8_t command, std::span<const uint8_t> data) {
    return Lgr87xReply(command, kAccepted, data);
}

std::optional<std::vector<uint8_t>> Lgr87xLogger::Answer(const Lgr87xRequest& request) {
    if (!request.checkOk) return Lgr87xReply(request.command, kRefused, {});
    if (request.command == 0x41) return DataBlock(request);
    if (auto status = RefusalStatus(request.command, request.sub)) {
        return Lgr87xReply(request.command, *status, {});
    }
    return Dispatch(request);
}

std::vector<uint8_t> Lgr87xLogger::Dispatch(const Lgr87xRequest& request) {
    const uint8_t command = request.command;
    const std::vector<uint8_t>& in = request.data;
    const bool is870 = model_ == Lgr87xModel::k870;
    switch (command) {
        case 0x55: {
            if (request.sub > 2) break;
            auto table = Table();
            return Ok(command, std::span(table).subspan(request.sub * 64u, 64));
        }
        case 0x40:
            return RecordTable(request);
        case 0x5C: {
            if (!calibration.count(request.sub)) break;
            const Lgr87xCalibration& c = calibration[request.sub];
            std::array<uint8_t, 12> data{};
            wire::WriteU32(data, 0, static_cast<uint32_t>(c.time));
            for (size_t i = 0; i < 4; ++i)
                wire::WriteU16(data, 4 + 2 * i, static_cast<uint16_t>(c.values[i]));
            return Ok(command, data);
        }
        case 0x5B: {
            if (!calibration.count(request.sub) || in.size() != 12) break;
            Lgr87xCalibration& c = calibration[request.sub];
            c.time = static_cast<int32_t>((in[0] | in[1] << 8) | (in[2] << 16) |
                                          (static_cast<uint32_t>(in[3]) << 24));
            for (size_t i = 0; i < 4; ++i) c.values[i] = wire::ReadI16(in, 4 + 2 * i);
            if (TakeFault(Lgr87xFault::kStoresAltered, command, request.sub)) ++c.values[0];
            return Ok(command);
        }
        case 0x5E:
            if (!history.count(request.sub)) break;
            return Ok(command, history[request.sub]);
        case 0x5D:
            if (!history.count(request.sub) || in.size() != 80) break;
            std::copy(in.begin(), in.end(), history[request.sub].begin());
            return Ok(command);
        case 0x21:
            return Ok(command, std::span(radio).first(is870 ? 2 : 4));
        case 0x20:
            if (in.size() != 2) break;
            radio[0] = in[0];
            radio[1] = in[1];
            return Ok(command);
        case 0x32:
            recording = false;
            return Ok(command);
        case 0x33: {
            std::array<uint8_t, 12> data{};
            size_t values = is870 ? 6 : 4;
            for (size_t i = 0; i < values; ++i)
                wire::WriteU16(data, 2 * i, static_cast<uint16_t>(current[i]));
            return Ok(command, std::span(data).first(values * 2));
        }
        case 0x34: {
            std::array<uint8_t, 2> data{};
            // The logger counts stored values: four (870) or three (875) per record.
            size_t records = recordedData.size() / RecordSize();
            wire::WriteU16(
                data, 0,
                static_cast<uint32_t>(std::min<size_t>(records * (is870 ? 4 : 3), 0xFFFF)));
            return Ok(command, data);
        }
        case 0x35:
            return Version(request.sub);
        case 0x37:
            if (in.size() != 1 || in[0] > 1) break;
            unit = in[0];
            return Ok(command);
        case 0x38:
            if (in.size() != 2) break;
            display = {in[0], in[1]};
            return Ok(command);
        case 0x39: {
            std::array<uint8_t, 8> data{};
            for (size_t i = 0; i < 4; ++i)
                wire::WriteU16(data, 2 * i, static_cast<uint16_t>(battery[i]));
            return Ok(command, data);
        }
        case 0x3A:
            if (in.size() != 1) break;
            lock = in[0];
            return Ok(command);
        case 0x3D:
            if (in.size() != 42) break;
            std::copy(in.begin(), in.end(), recordingSettings.begin());
            recording = true;
            return Ok(command);
        case 0x51:
            return Ok(command, channelNames);
        case 0x50:
            if (in.size() != 64) break;
            std::copy(in.begin(), in.end(), channelNames.begin());
            return Ok(command);
        case 0x61:
            return Ok(command, comInfo);
        case 0x60:
            if (in.size() != 18) break;
            std::copy(in.begin(), in.end(), comInfo.begin());
            return Ok(command);
        case 0x5F:
            if (is870 || in.size() != 16 || request.sub > 1) break;
            if (request.sub == 1) std::copy(in.begin(), in.end(), airPressure.begin());
            return Ok(command, airPressure);
        case 0xA6:
            if (is870) break;
            return SensorMessage(request);
        default:
            break;
    }
    return Lgr87xReply(command, kRefused, {});
}

std::vector<uint8_t> Lgr87xLogger::Version(uint8_t sub) {
    if (sub == 0) {
        std::array<uint8_t, 8> data{};
        wire::WriteU16(data, 0, static_cast<uint16_t>(macCode));
        wire::WriteU16(data, 6, static_cast<uint16_t>(firmware));
        return Ok(0x35, data);
    }
    if (sub > 3) return Lgr87xReply(0x35, kRefused, {});
    std::array<uint8_t, 6> data{};
    wire::WriteU32(data, 0, static_cast<uint32_t>(partBuilds[sub - 1]));
    wire::WriteU16(data, 4, static_cast<uint16_t>(partVersions[sub - 1]));
    return Ok(0x35, data);
}

std::vector<uint8_t> Lgr87xLogger::SensorMessage(const Lgr87xRequest& request) {
    if (TakeFault(Lgr87xFault::kSensorBadCrc, request.command, request.sub))
        sensor.CorruptNextCrc();
    std::vector<uint8_t> answer = sensor.Answer(request.data);
    if (answer.empty()) return Lgr87xReply(request.command, kRefused, {});
    return Ok(request.command, answer);
}

std::vector<uint8_t> Lgr87xLogger::RecordTable(const Lgr87xRequest& request) {
    if (request.sub > 2 || request.data.size() != 2) return Lgr87xReply(0x40, kRefused, {});
    if (request.sub == 0) {
        size_t asked = static_cast<size_t>(request.data[0] | (request.data[1] << 8));
        reportedBytes_ = recordedData.size();
        if (!TakeFault(Lgr87xFault::kOverReport, 0x40, 0)) {
            reportedBytes_ = std::min(reportedBytes_, asked);
        }
        reportedBytes_ = std::min<size_t>(reportedBytes_, 0xFFFF);
        nextBlock_ = 0;
        sequence_ = firstSequence;
        blockSent_ = false;
    }
    auto table = Table();
    wire::WriteU16(table, 58, static_cast<uint32_t>(reportedBytes_));
    return Ok(0x40, std::span(table).subspan(request.sub * 64u, 64));
}

std::optional<std::vector<uint8_t>> Lgr87xLogger::DataBlock(const Lgr87xRequest& request) {
    if (request.sub == kRefused && blockSent_) return lastBlock_;  // asked again
    const size_t start = nextBlock_ * kBlockSize;
    if (start >= reportedBytes_) return std::nullopt;
    const size_t size = std::min(kBlockSize, reportedBytes_ - start);
    uint8_t sequence = sequence_;
    if (TakeFault(Lgr87xFault::kBlockSkip, 0x41, request.sub))
        sequence = static_cast<uint8_t>(sequence + 1);
    std::span<const uint8_t> data(recordedData.data() + start, size);
    lastBlock_ = Lgr87xReply(0x41, sequence, data);
    blockSent_ = true;
    ++nextBlock_;
    sequence_ = static_cast<uint8_t>(sequence + 1);
    return lastBlock_;
}

std::string Lgr87xLogger::DumpState() const {
    std::ostringstream out;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08X", serial_);
    out << "model: " << (model_ == Lgr87xModel::k870 ? "870" : "875") << "\n";
    out << "serial: " << serial << "\n";
    out << "recording: " << (recording ? "yes" : "no") << "\n";
    for (const auto& [group, c] : calibration) {
        out << "calibration " << int(group) << ": time " << c.time << ", " << c.values[0] << " "
            << c.values[1] << " " << c.values[2] << " " << c.values[3] << "\n";
    }
    for (const auto& [group, record] : history) {
        out << "history " << int(group) << ": " << Hex(record) << "\n";
    }
    out << "channel names: " << Hex(channelNames) << "\n";
    out << "communication info: " << Hex(comInfo) << "\n";
    out << "radio: " << Hex(radio) << "\n";
    out << "unit: " << int(unit) << ", display: " << int(display[0]) << " " << int(display[1])
        << ", lock: " << int(lock) << "\n";
    out << "recording settings: " << Hex(recordingSettings) << "\n";
    out << "recorded bytes: " << recordedData.size() << "\n";
    if (model_ == Lgr87xModel::k875) {
        out << "sensor register 0x001F: " << sensor.Register(0x001F) << "\n";
        out << "air pressure words: " << wire::ReadI16(airPressure, 0) << " "
            << static_cast<uint16_t>(wire::ReadI16(airPressure, 2)) << "\n";
    }
    return out.str();
}

}  // namespace tb::sim
