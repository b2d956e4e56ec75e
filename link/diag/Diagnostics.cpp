#include "link/diag/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "link/diag/LogLine.h"
#include "link/diag/RingFile.h"
#include "link/diag/TableDump.h"
#include "platform/Clock.h"

namespace tb::link::diag {
Diagnostics::Diagnostics(std::string folder, std::string channelName)
    : enabled_(FileExists(folder + "/" + kMarkerFileName)),
      folder_(std::move(folder)),
      channelName_(std::move(channelName)),
      ownerThread_(std::this_thread::get_id()),
      lastPumpTick_(platform::TickMs()),
      lastDumpTick_(lastPumpTick_) {}

Diagnostics::~Diagnostics() {
    // What is still queued would be lost with the channel.
    if (enabled_ && receiver_ && std::this_thread::get_id() == ownerThread_) PumpFlight();
}

void Diagnostics::Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    VLog(format, args);
    va_end(args);
}

void Diagnostics::VLog(const char* format, va_list args) {
    if (!enabled_) return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    LogText(text);
}

void Diagnostics::LogText(const std::string& text) {
    std::call_once(channelOnce_, [this] {
        receiver_ = std::make_unique<FlightReceiver>(channelName_);
        if (!receiver_->Valid()) {
            // The only diagnostic failure ever reported, and only once.
            std::fprintf(stderr, "VkLGR800Comm: flight channel %s: %s\n", channelName_.c_str(),
                         std::strerror(receiver_->Error()));
        }
    });
    if (!receiver_->Valid()) return;
    SendFlightLine(channelName_, FormatLogLine(platform::NowSeconds(), text));
}

std::string Diagnostics::PathOf(const char* fileName) const { return folder_ + "/" + fileName; }

void Diagnostics::DumpReceived(const MngEntry& entry, std::span<const uint8_t> bytes) {
    if (!enabled_) return;
    std::FILE* file = std::fopen(PathOf(RecvDumpFileName(entry).c_str()).c_str(), "wb");
    if (!file) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void Diagnostics::PumpFlight() {
    if (!enabled_ || !receiver_ || !receiver_->Valid()) return;
    const std::string ringPath = PathOf(kRingFileName);
    while (auto line = receiver_->Next()) AppendToRingFile(ringPath, *line);
}

void Diagnostics::DumpTable(const MngTable& table) {
    if (!enabled_) return;
    WriteTableDump(PathOf(kTableDumpFileName), table);
}

void Diagnostics::Service(const MngTable& table) {
    if (!enabled_ || std::this_thread::get_id() != ownerThread_) return;
    const uint32_t now = platform::TickMs();
    if (platform::ElapsedMs(lastPumpTick_, now) >= kFlightPumpPeriodMs) {
        lastPumpTick_ = now;
        PumpFlight();
    }
    if (platform::ElapsedMs(lastDumpTick_, now) >= kTableDumpPeriodMs) {
        lastDumpTick_ = now;
        DumpTable(table);
    }
}

std::string RecvDumpFileName(const MngEntry& entry) {
    std::string name = "Debug_Recv_";
    const size_t hostLength = strnlen(entry.host, sizeof entry.host);
    if (hostLength == 0) {
        char key[16];
        std::snprintf(key, sizeof key, "%08x", entry.key);
        return name + key;
    }
    for (size_t i = 0; i < hostLength; ++i) {
        const char c = entry.host[i];
        name += (c == '/' || c == '\\') ? '_' : c;
    }
    return name;
}

}  // namespace tb::link::diag
