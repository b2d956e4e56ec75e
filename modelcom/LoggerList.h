// The loggers a library has identified, keyed by serial number, with the
// COM port they were last found on and the state of a running bulk
// download. Entries live until the library is unloaded, so a pointer to one
// stays valid; the download fields may be read from a nested call or another
// thread while a download runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <forward_list>
#include <mutex>

namespace tb::modelcom {

struct LoggerEntry {
    explicit LoggerEntry(uint32_t serialNumber) : serial(serialNumber) {}
    const uint32_t serial;
    std::atomic<int32_t> port{-1};
    std::atomic<int32_t> downloadRunning{0};
    std::atomic<int16_t> totalBlocks{0};
    std::atomic<int16_t> receivedBlocks{0};
    std::atomic<uint32_t> cancelRequest{0};
};

class LoggerList {
  public:
    LoggerEntry* Find(uint32_t serial);
    // The entry of the serial number, created at the head when it is new;
    // nullptr when it cannot be created.
    LoggerEntry* FindOrCreate(uint32_t serial);
    // Forgets every logger (tests).
    void Clear();

  private:
    std::mutex mutex_;
    std::forward_list<LoggerEntry> entries_;
};

}  // namespace tb::modelcom
