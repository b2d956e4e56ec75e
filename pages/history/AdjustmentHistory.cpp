#include "pages/history/AdjustmentHistory.h"

#include <algorithm>
#include <cmath>

#include "services/PageServices.h"
#include "pages/history/HistoryList.h"

namespace tb::history {

namespace {

bool HoldsAdjustmentOf(const HistoryEntries& entries, int channel) {
    for (const HistoryEntry& entry : entries) {
        const bool adjustment = entry.kind == kKindOnePoint || entry.kind == kKindTwoPoint;
        if (adjustment && entry.channel == channel) return true;
    }
    return false;
}

HistoryEntry AdjustmentEntry(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                             std::size_t slot, int32_t time, int unit) {
    HistoryEntry entry;
    entry.channel = static_cast<uint8_t>(sensor.profile.channels[slot]);
    entry.kind = adjustment.pointCount[slot] == 2 ? kKindTwoPoint : kKindOnePoint;
    entry.time = time;
    entry.before1 = static_cast<int16_t>(adjustment.encoded[slot]);
    entry.after1 = static_cast<int16_t>(adjustment.encoded[2 + slot]);
    entry.before2 = static_cast<int16_t>(adjustment.encoded[4 + slot]);
    entry.after2 = static_cast<int16_t>(adjustment.encoded[6 + slot]);
    entry.unit = static_cast<uint8_t>(unit);
    return entry;
}

}  // namespace

bool SlotAdjusted(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                  std::size_t slot) {
    return slot < 2 && adjustment.ticked[slot] && sensor.profile.channels[slot] != 0;
}

int ReadHistory(HistorySensor& sensor, HistoryDevice& device) {
    sensor.state = SensorHistory{};
    RecordBytes bytes{};
    const int code = device.ReadRecord(sensor.sensor, bytes);
    const HistoryRecord record = *DecodeRecord(bytes);
    sensor.state.entries = record.entries;
    for (std::size_t slot = 0; slot < 2; ++slot) {
        const int channel = sensor.profile.channels[slot];
        if (channel == 0 || !HoldsAdjustmentOf(record.entries, channel)) continue;
        // A factor that is no number would pass every limit check downstream.
        if (std::isfinite(record.factors[slot])) {
            sensor.state.storedFactors[slot] = record.factors[slot];
        }
    }
    return code;
}

void BuildHistoryRecords(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                         bool initialise, int32_t time, int unit, HistoryEntry& rec1,
                         HistoryEntry& rec2) {
    rec1 = HistoryEntry{};
    rec2 = HistoryEntry{};
    if (initialise) {
        HistoryEntry entry;
        entry.kind = kKindInitialise;
        entry.time = time;
        entry.unit = static_cast<uint8_t>(unit);
        rec1 = entry;
        rec2 = entry;
        return;
    }
    if (SlotAdjusted(sensor, adjustment, 0))
        rec1 = AdjustmentEntry(sensor, adjustment, 0, time, unit);
    if (SlotAdjusted(sensor, adjustment, 1))
        rec2 = AdjustmentEntry(sensor, adjustment, 1, time, unit);
}

HistoryRecord MergeHistory(HistorySensor& sensor, const SensorAdjustment& adjustment,
                           bool initialise, const HistoryEntry& rec1, const HistoryEntry& rec2) {
    const int valid = ValidEntryCount(sensor.state.entries);
    HistoryRecord record;
    std::copy_n(sensor.state.entries.begin(), valid, record.entries.begin());
    if (initialise) {
        AppendEntry(record.entries, valid, rec1);
        record.factors = {kNoAdjustmentFactor, kNoAdjustmentFactor};
        return record;
    }
    int count = valid;
    if (SlotAdjusted(sensor, adjustment, 0)) count = AppendEntry(record.entries, count, rec1);
    if (SlotAdjusted(sensor, adjustment, 1)) count = AppendEntry(record.entries, count, rec2);
    record.factors = adjustment.newFactors;
    sensor.state.entries = record.entries;
    return record;
}

int AppendHistory(HistorySensor& sensor, HistoryDevice& device, pages::DialogView& view,
                  const SensorAdjustment& adjustment, bool initialise, const HistoryEntry& rec1,
                  const HistoryEntry& rec2) {
    const RecordBytes bytes =
        EncodeRecord(MergeHistory(sensor, adjustment, initialise, rec1, rec2));
    const int code = device.WriteRecord(sensor.sensor, bytes);
    services::PumpWait(kAfterHistoryWriteMs);
    if (code == 0) {
        const bool ok = ReadHistory(sensor, device) == 0;
        SetupHistoryColumns(view, sensor.listId, ok);
        FillHistoryList(view, sensor, ok);
    }
    return code;
}

}  // namespace tb::history
