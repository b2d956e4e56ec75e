// Damage to a direct-USB logger's 80-byte history record, as a failing
// memory or another tool can leave it: a slope factor that is not a number,
// an empty slot between entries, an entry naming a channel of the other
// sensor. The pages must read such a record without composing on nonsense.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tb::sim {

enum class HistoryDamage {
    kNanFactor,     // the channel's slope factor is a NaN
    kGap,           // slot 1 emptied, the later entries kept after it
    kForeignEntry,  // an adjustment entry of a channel the record does not hold
};

// Damages `record`; `channelIndex` (0 or 1) picks the factor a NaN goes
// into, `foreignChannel` the channel number a foreign entry names.
void DamageHistory(std::array<uint8_t, 80>& record, HistoryDamage damage, std::size_t channelIndex,
                   uint8_t foreignChannel);

std::optional<HistoryDamage> HistoryDamageByName(const std::string& name);
// "nan-factor, gap, foreign-entry", for help texts.
std::string HistoryDamageNames();

}  // namespace tb::sim
