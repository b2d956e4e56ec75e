// Service diagnostics of the link library. Off unless the marker file
// "FileOutput" lies in the running program's folder when the library loads.
// When on:
//  - every log call sends a time-stamped line through the flight channel;
//  - a once-a-second pump moves the queued lines into the ring file
//    "DllLog.txt" in the program's folder;
//  - every ten seconds the management table is dumped to
//    "Debug_ManagementTable";
//  - every received frame is dumped to "Debug_Recv_<key or host>".
// The pump and the table dump run on the thread that loaded the library,
// during the library's own waits and calls (Service()). When off, nothing is
// created or changed anywhere.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "link/MngTable.h"
#include "link/diag/FlightChannel.h"

namespace tb::link::diag {

inline constexpr char kMarkerFileName[] = "FileOutput";
inline constexpr char kRingFileName[] = "DllLog.txt";
inline constexpr char kTableDumpFileName[] = "Debug_ManagementTable";
inline constexpr uint32_t kFlightPumpPeriodMs = 1000;
inline constexpr uint32_t kTableDumpPeriodMs = 10000;

// The folder of the running program, without a trailing slash
// (ProgramFolder.cpp, or ProgramFolder_win.cpp on Windows).
std::string ProgramFolder();
bool FileExists(const std::string& path);

class Diagnostics {
  public:
    // Switched off: every call does nothing.
    Diagnostics() = default;
    // Switched on when folder holds the marker file; lines travel through channelName.
    Diagnostics(std::string folder, std::string channelName);
    ~Diagnostics();
    Diagnostics(const Diagnostics&) = delete;
    Diagnostics& operator=(const Diagnostics&) = delete;

    // Logs one line (printf-style text).
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void VLog(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

    // Writes the bytes received so far for entry to its dump file, anew.
    void DumpReceived(const MngEntry& entry, std::span<const uint8_t> bytes);

    // Moves every queued line into the ring file.
    void PumpFlight();
    // Rewrites the management table dump.
    void DumpTable(const MngTable& table);
    // Runs the flight pump and the table dump when their periods have passed;
    // does nothing on any thread but the one that created this object.
    void Service(const MngTable& table);

  private:
    void LogText(const std::string& text);
    std::string PathOf(const char* fileName) const;

    bool enabled_ = false;
    std::string folder_;
    std::string channelName_;
    std::once_flag channelOnce_;
    std::unique_ptr<FlightReceiver> receiver_;
    std::thread::id ownerThread_;
    uint32_t lastPumpTick_ = 0;
    uint32_t lastDumpTick_ = 0;
};

// The name of a received-frame dump: "Debug_Recv_<host>" for an entry with a
// host name (characters that would leave the folder replaced by '_'), else
// "Debug_Recv_<key as %08x>".
std::string RecvDumpFileName(const MngEntry& entry);

}  // namespace tb::link::diag
