// A history record as the logger returns it: decoding, the page's copy,
// the list rows and the merge of a new entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "pages/history/AdjustmentHistory.h"
#include "pages/history/HistoryList.h"
#include "pages/history/HistoryRecord.h"
#include "pages/history/SensorProfile.h"

namespace {

using namespace tb::history;

class BytesDevice : public HistoryDevice {
  public:
    explicit BytesDevice(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    // Writes at most the 80 bytes, whatever the input's length.
    int ReadRecord(int, std::span<uint8_t, kRecordSize> record) override {
        if (bytes_.size() < kRecordSize) return -3;
        std::copy_n(bytes_.begin(), kRecordSize, record.begin());
        return 0;
    }
    int WriteRecord(int, std::span<const uint8_t, kRecordSize>) override { return 0; }

  private:
    std::span<const uint8_t> bytes_;
};

SensorProfile ProfileFor(uint8_t selector) {
    switch (selector % 4) {
        case 0:
            return Lgr870IlluminanceUv();
        case 1:
            return Lgr870TemperatureHumidity();
        case 2:
            return Lgr875Co2();
        default:
            return Lgr875TemperatureHumidity();
    }
}

std::string NumberText(int, int16_t value) { return std::to_string(value); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const std::optional<HistoryRecord> decoded = DecodeRecord(bytes);
    if (decoded.has_value() != (size == kRecordSize)) std::abort();
    if (decoded) {
        // Everything but the four trailing bytes survives a round trip.
        RecordBytes expected{};
        std::copy_n(bytes.begin(), kFactorOffset + 16, expected.begin());
        if (EncodeRecord(*decoded) != expected) std::abort();
    }

    HistorySensor sensor;
    sensor.profile = ProfileFor(size > kRecordSize ? data[kRecordSize] : 0);
    if (!sensor.profile.valueText) sensor.profile.valueText = NumberText;
    BytesDevice device(bytes);
    ReadHistory(sensor, device);
    const int valid = ValidEntryCount(sensor.state.entries);
    if (HistoryRows(sensor).size() != static_cast<size_t>(valid)) std::abort();

    SensorAdjustment adjustment;
    adjustment.ticked = {true, true};
    HistoryEntry rec1{};
    HistoryEntry rec2{};
    BuildHistoryRecords(sensor, adjustment, false, 0, 0, rec1, rec2);
    const HistoryRecord merged = MergeHistory(sensor, adjustment, false, rec1, rec2);
    if (ValidEntryCount(merged.entries) < std::min(valid, 2)) std::abort();
    return 0;
}
