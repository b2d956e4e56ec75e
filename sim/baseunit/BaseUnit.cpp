#include "sim/baseunit/BaseUnit.h"

#include <cstdio>
#include <string_view>

#include "platform/DeviceIds.h"
#include "sim/baseunit/ScriptedLogger.h"

namespace tb::sim {
namespace {

constexpr std::string_view kSerialQuery = "RUINF:";

std::string Hex8(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

void AppendItem(std::string& text, std::string_view key, std::string_view value) {
    text += key;
    text += static_cast<char>(value.size() & 0xFF);
    text += static_cast<char>(value.size() >> 8);
    text += value;
}

}  // namespace

std::vector<uint8_t> SerialAnswerText(uint32_t serial) {
    std::string text = "RUINF:";
    AppendItem(text, "STATUS=", "RUINF0000");
    AppendItem(text, "SER=", Hex8(serial));
    return {text.begin(), text.end()};
}

BaseUnit::BaseUnit(BaseUnitConfig config, std::shared_ptr<LoggerBehindUnit> logger)
    : config_(config), logger_(std::move(logger)) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    if (config_.vendor == 0) config_.vendor = ids.primaryVendor;
    if (config_.product == 0) config_.product = ids.Product(1);
}

std::string BaseUnit::Name() const { return "base unit " + Hex8(config_.serial); }

DeviceIdentity BaseUnit::Identity() const {
    return {config_.vendor, config_.product, config_.latch, config_.baud};
}

void BaseUnit::OnReceived(std::span<const uint8_t> bytes, DeviceLink& link) {
    reader_.Feed(bytes);
    while (auto frame = reader_.Next()) Answer(*frame, link);
}

void BaseUnit::Answer(const UnitFrameReader::Frame& frame, DeviceLink& link) {
    if (!frame.checkOk) {
        ++badChecks_;  // a unit ignores a frame it cannot trust
        return;
    }
    const std::string_view text(reinterpret_cast<const char*>(frame.text.data()),
                                frame.text.size());
    if (text == kSerialQuery) {
        ++serialQueries_;
        link.Send(MakeUnitFrame(SerialAnswerText(config_.serial)));
        return;
    }
    ++commands_;
    const std::vector<uint8_t> reply =
        logger_ ? logger_->OnCommand(frame.text) : StatusReply(frame.text);
    if (!reply.empty()) link.Send(MakeUnitFrame(reply));
}

std::string BaseUnit::DumpState() const {
    char identity[64];
    std::snprintf(identity, sizeof identity, "%04x-%04x latch 0x%02x", config_.vendor,
                  config_.product, config_.latch);
    std::string state = "serial: " + Hex8(config_.serial) + "\n";
    state += std::string("identity: ") + identity + "\n";
    state += "serial queries: " + std::to_string(serialQueries_) + "\n";
    state += "commands: " + std::to_string(commands_) + "\n";
    state += "bad checks: " + std::to_string(badChecks_) + "\n";
    if (logger_) state += logger_->DumpState();
    return state;
}

}  // namespace tb::sim
