// The damage the sequence runs do to a logger's history record: each kind
// leaves the record as a failing memory would, and touches nothing else.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sim/lgr87x/HistoryDamage.h"

namespace tb::sim {
namespace {

using Record = std::array<uint8_t, 80>;
constexpr std::size_t kEntry = 15;

// A record with `entries` one-point entries of channel 3, both factors set.
Record RecordWith(std::size_t entries) {
    Record record{};
    for (std::size_t slot = 0; slot < entries; ++slot) {
        record[slot * kEntry] = 3;
        record[slot * kEntry + 1] = 1;
        record[slot * kEntry + 6] = static_cast<uint8_t>(10 + slot);  // tells the entries apart
    }
    const double factors[2] = {1012.5, 987.0};
    std::memcpy(&record[60], factors, sizeof factors);
    return record;
}

double FactorAt(const Record& record, std::size_t index) {
    double factor = 0;
    std::memcpy(&factor, &record[60 + index * 8], sizeof factor);
    return factor;
}

TEST(HistoryDamage, NanGoesIntoTheNamedFactorOnly) {
    for (std::size_t index : {0u, 1u}) {
        Record record = RecordWith(2);
        const Record before = record;
        DamageHistory(record, HistoryDamage::kNanFactor, index, 1);
        EXPECT_TRUE(std::isnan(FactorAt(record, index)));
        EXPECT_EQ(FactorAt(record, 1 - index), FactorAt(before, 1 - index));
        EXPECT_TRUE(std::equal(record.begin(), record.begin() + 60, before.begin()));
    }
}

TEST(HistoryDamage, AGapEmptiesSlotOneAndKeepsTheEntriesAfterIt) {
    Record record = RecordWith(4);
    DamageHistory(record, HistoryDamage::kGap, 0, 1);
    EXPECT_EQ(record[6], 10);               // slot 0 as it was
    EXPECT_EQ(record[kEntry + 1], 0);       // slot 1 empty
    EXPECT_EQ(record[2 * kEntry + 6], 11);  // former slot 1
    EXPECT_EQ(record[3 * kEntry + 6], 12);  // former slot 2; the newest is gone
    EXPECT_EQ(FactorAt(record, 0), 1012.5);
}

TEST(HistoryDamage, AForeignEntryTakesTheFirstEmptySlotOrTheLast) {
    const struct {
        std::size_t entries;
        std::size_t slot;
    } cases[] = {{0, 0}, {2, 2}, {4, 3}};
    for (const auto& c : cases) {
        Record record = RecordWith(c.entries);
        DamageHistory(record, HistoryDamage::kForeignEntry, 0, 1);
        EXPECT_EQ(record[c.slot * kEntry], 1) << c.entries << " entries";
        EXPECT_EQ(record[c.slot * kEntry + 1], 1) << c.entries << " entries";
        if (c.slot > 0) {
            EXPECT_EQ(record[(c.slot - 1) * kEntry], 3) << c.entries << " entries";
        }
    }
}

TEST(HistoryDamage, NamesRoundTrip) {
    for (HistoryDamage damage :
         {HistoryDamage::kNanFactor, HistoryDamage::kGap, HistoryDamage::kForeignEntry}) {
        bool found = false;
        std::string names = HistoryDamageNames();
        for (std::size_t start = 0; start <= names.size();) {
            std::size_t end = names.find(", ", start);
            if (end == std::string::npos) end = names.size();
            found = found || HistoryDamageByName(names.substr(start, end - start)) == damage;
            start = end + 2;
        }
        EXPECT_TRUE(found);
    }
    EXPECT_FALSE(HistoryDamageByName("scorched").has_value());
}

}  // namespace
}  // namespace tb::sim
