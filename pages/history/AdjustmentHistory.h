// One sensor's adjustment history as a page keeps it, and the operations
// that read it from the logger, build new entries, merge and write them
// back, and refresh the sensor's list.
//
// Toolkit-neutral: the list is reached through the page's DialogView, the
// logger through a HistoryDevice that the page binds to its model library
// (with the retries of its bindings), waits through PumpWait.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "pages/DialogView.h"
#include "pages/history/AdjustmentInput.h"
#include "pages/history/HistoryRecord.h"
#include "pages/history/HistorySensor.h"

namespace tb::history {

// Pause after a history write before the record is read back.
inline constexpr uint32_t kAfterHistoryWriteMs = 200;

// The logger's history records, addressed by sensor (0 or 1). Both return
// the logger's result code: 0 on success. A read fills all 80 bytes only
// when it succeeds.
class HistoryDevice {
  public:
    virtual ~HistoryDevice() = default;
    virtual int ReadRecord(int sensor, std::span<uint8_t, kRecordSize> record) = 0;
    virtual int WriteRecord(int sensor, std::span<const uint8_t, kRecordSize> record) = 0;
};

// Clears the copy (zero entries, factors 1000.0), reads the record and takes
// its entries whatever the result (a failed read leaves zeros). A channel's
// factor is taken from the record only when one of the four slots holds an
// adjustment of that channel, and only when it is a finite number.
// Returns the read's code.
int ReadHistory(HistorySensor& sensor, HistoryDevice& device);

// Whether slot 0 or 1 takes part in an adjustment: its box is ticked and
// the sensor has that channel.
bool SlotAdjusted(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                  std::size_t slot);

// The new entries of an adjustment (one per ticked slot, kind = its point
// count, its four values from the encoded block) or of an initialisation
// (two entries of kind 3, channel 0, zero values). `unit` is the current
// temperature unit setting. Entries of unticked slots stay zero.
void BuildHistoryRecords(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                         bool initialise, int32_t time, int unit, HistoryEntry& rec1,
                         HistoryEntry& rec2);

// The record to write: the copy's valid entries with the new ones appended
// (an initialisation appends rec1 only and resets both factors to 1000.0;
// an adjustment appends the entry of each ticked slot and takes the factors
// from `adjustment.newFactors`). The copy's entries are updated the same way.
HistoryRecord MergeHistory(HistorySensor& sensor, const SensorAdjustment& adjustment,
                           bool initialise, const HistoryEntry& rec1, const HistoryEntry& rec2);

// Merges, writes the record, waits 200 ms (pumped) and, when the write
// succeeded, reads the record back and rebuilds the sensor's list (columns
// and rows; the failure row when the read-back fails). Returns the write's
// code; on failure the list is left as it was.
int AppendHistory(HistorySensor& sensor, HistoryDevice& device, pages::DialogView& view,
                  const SensorAdjustment& adjustment, bool initialise, const HistoryEntry& rec1,
                  const HistoryEntry& rec2);

}  // namespace tb::history
