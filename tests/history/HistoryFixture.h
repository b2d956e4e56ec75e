// Shared pieces of the history tests: a logger's history records in memory,
// a temporary home with its own settings file, and virtual time.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "pages/history/AdjustmentHistory.h"
#include "platform/Clock.h"

namespace tb::history {

// Two stored records (sensor 0 and 1), with scripted result codes.
class MemoryHistoryDevice : public HistoryDevice {
  public:
    int ReadRecord(int sensor, std::span<uint8_t, kRecordSize> record) override {
        ++reads;
        if (readCode != 0) return readCode;
        std::copy(records[sensor].begin(), records[sensor].end(), record.begin());
        return 0;
    }
    int WriteRecord(int sensor, std::span<const uint8_t, kRecordSize> record) override {
        ++writes;
        if (writeCode != 0) return writeCode;
        std::copy(record.begin(), record.end(), records[sensor].begin());
        return 0;
    }

    std::array<RecordBytes, 2> records{};
    int readCode = 0;
    int writeCode = 0;
    int reads = 0;
    int writes = 0;
};

// A fresh home folder (documents, settings file) and a virtual clock.
class HistoryTest : public ::testing::Test {
  protected:
    HistoryTest() {
        std::random_device random;
        home_ = std::filesystem::temp_directory_path() /
                ("tb-history-" + std::to_string(::getpid()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(home_);
        Set("HOME", home_.string());
        Set("XDG_CONFIG_HOME", (home_ / ".config").string());
        Set("TRIMBENCH_SETTINGS_FILE", (home_ / "settings.ini").string());
        SetDateForm(0);
    }
    ~HistoryTest() override {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->had) {
                ::setenv(it->name.c_str(), it->value.c_str(), 1);
            } else {
                ::unsetenv(it->name.c_str());
            }
        }
        std::error_code ignored;
        std::filesystem::permissions(home_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(home_, ignored);
    }

    void SetDateForm(int form) {
        std::ofstream(home_ / "settings.ini") << "[Settings]\nDateForm=" << form << "\n";
    }

    std::filesystem::path DataFolder() const {
        return home_ / "Documents" / "Kestrune Corp" / "Trimbench 800";
    }

    void Set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, old != nullptr, old ? old : ""});
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    platform::VirtualClock clock_;
    platform::ScopedClock scopedClock_{clock_};
    std::filesystem::path home_;

  private:
    struct Saved {
        std::string name;
        bool had;
        std::string value;
    };
    std::vector<Saved> saved_;
};

// 2024-05-06 07:08:09 UTC (the tests run with TZ=UTC).
inline constexpr int32_t kMay6 = 1714979289;

}  // namespace tb::history
