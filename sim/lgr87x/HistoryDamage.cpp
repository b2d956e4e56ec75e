#include "sim/lgr87x/HistoryDamage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace tb::sim {
namespace {

constexpr std::size_t kEntrySize = 15;
constexpr std::size_t kSlots = 4;
constexpr std::size_t kFactorsAt = 60;

const std::pair<const char*, HistoryDamage> kNames[] = {
    {"nan-factor", HistoryDamage::kNanFactor},
    {"gap", HistoryDamage::kGap},
    {"foreign-entry", HistoryDamage::kForeignEntry},
};

bool SlotEmpty(const std::array<uint8_t, 80>& record, std::size_t slot) {
    const auto begin = record.begin() + static_cast<long>(slot * kEntrySize);
    return std::all_of(begin, begin + static_cast<long>(kEntrySize),
                       [](uint8_t b) { return b == 0; });
}

}  // namespace

void DamageHistory(std::array<uint8_t, 80>& record, HistoryDamage damage, std::size_t channelIndex,
                   uint8_t foreignChannel) {
    switch (damage) {
        case HistoryDamage::kNanFactor: {
            const double nan = std::numeric_limits<double>::quiet_NaN();
            std::memcpy(&record[kFactorsAt + std::min<std::size_t>(channelIndex, 1) * 8], &nan,
                        sizeof nan);
            break;
        }
        case HistoryDamage::kGap:
            // Slots 1 and 2 move to 2 and 3 (the newest entry is lost), slot 1 empties.
            std::memmove(&record[2 * kEntrySize], &record[kEntrySize], 2 * kEntrySize);
            std::fill_n(record.begin() + kEntrySize, kEntrySize, 0);
            break;
        case HistoryDamage::kForeignEntry: {
            std::size_t slot = kSlots - 1;
            for (std::size_t i = 0; i < kSlots; ++i) {
                if (SlotEmpty(record, i)) {
                    slot = i;
                    break;
                }
            }
            uint8_t* entry = &record[slot * kEntrySize];
            std::fill_n(entry, kEntrySize, 0);
            entry[0] = foreignChannel;
            entry[1] = 1;    // a one-point adjustment
            entry[6] = 200;  // before 20.0
            entry[8] = 205;  // after 20.5
            break;
        }
    }
}

std::optional<HistoryDamage> HistoryDamageByName(const std::string& name) {
    for (const auto& [text, damage] : kNames) {
        if (name == text) return damage;
    }
    return std::nullopt;
}

std::string HistoryDamageNames() {
    std::string names;
    for (const auto& [text, damage] : kNames) {
        (void)damage;
        names += std::string(names.empty() ? "" : ", ") + text;
    }
    return names;
}

}  // namespace tb::sim
