// The record bytes the logger receives, the valid-entry count, the merge
// that keeps the last four events, and the factors taken from a record.
#include <cmath>
#include <limits>
#include <sstream>

#include "HistoryFixture.h"
#include "pages/MemoryDialogView.h"
#include "pages/history/HistoryRecord.h"
#include "pages/history/SensorProfile.h"

namespace tb::history {
namespace {

RecordBytes FromHex(const std::string& hex) {
    RecordBytes bytes{};
    std::istringstream in(hex);
    std::size_t i = 0;
    for (unsigned value = 0; in >> std::hex >> value; ++i) bytes.at(i) = static_cast<uint8_t>(value);
    EXPECT_EQ(i, kRecordSize) << "hand-made record has the wrong length";
    return bytes;
}

HistoryEntry Entry(uint8_t channel, uint8_t kind, int32_t time = 1) {
    HistoryEntry entry;
    entry.channel = channel;
    entry.kind = kind;
    entry.time = time;
    return entry;
}

HistorySensor Sensor(SensorProfile profile, int sensor = 0) {
    HistorySensor s;
    s.sensor = sensor;
    s.listId = 1162;
    s.profile = std::move(profile);
    return s;
}

struct RecordCase {
    const char* name;
    SensorProfile profile;
    SensorAdjustment adjustment;
    int unit;
    const char* expected;  // the 80 bytes as the logger must receive them
};

// One adjustment of each sensor kind into an empty history.
TEST(HistoryRecordBytes, OneAdjustmentOfEachSensorKindMatchesTheHandMadeRecord) {
    SensorAdjustment illuminance;  // Ch.1 2.4 lx -> 0.0, and Ch.2 -1.0 -> 0.0
    illuminance.ticked = {true, true};
    illuminance.encoded = {240, 64536, 0, 0, 0, 0, 0, 0};
    illuminance.newFactors = {1000.0, 1000.0};
    SensorAdjustment temperature;  // Ch.3 two points in F units, Ch.4 one point
    temperature.ticked = {true, true};
    temperature.pointCount = {2, 1};
    temperature.encoded = {235, 550, 240, 600, 300, 0, 310, 0};
    temperature.newFactors = {1002.5, 998.0};
    SensorAdjustment co2;  // 420 ppm -> 400 ppm
    co2.ticked = {true, true};  // a second tick on a one-channel sensor adds nothing
    co2.encoded = {420, 0, 400, 0, 0, 0, 0, 0};
    co2.newFactors = {1000.0, 1000.0};

    const std::vector<RecordCase> cases = {
        {"870 illuminance/UV", Lgr870IlluminanceUv(), illuminance, 0,
         "01 01 d9 81 38 66 f0 00 00 00 00 00 00 00 00 "
         "02 01 d9 81 38 66 18 fc 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 40 8f 40  00 00 00 00 00 40 8f 40  00 00 00 00"},
        {"870 temperature/humidity", Lgr870TemperatureHumidity(), temperature, 1,
         "03 02 d9 81 38 66 eb 00 f0 00 2c 01 36 01 01 "
         "04 01 d9 81 38 66 26 02 58 02 00 00 00 00 01 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 54 8f 40  00 00 00 00 00 30 8f 40  00 00 00 00"},
        {"875 CO2", Lgr875Co2(), co2, 0,
         "01 01 d9 81 38 66 a4 01 90 01 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 00 00 00 40 8f 40  00 00 00 00 00 40 8f 40  00 00 00 00"},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistorySensor sensor = Sensor(c.profile);
        HistoryEntry rec1;
        HistoryEntry rec2;
        BuildHistoryRecords(sensor, c.adjustment, false, kMay6, c.unit, rec1, rec2);
        const RecordBytes written =
            EncodeRecord(MergeHistory(sensor, c.adjustment, false, rec1, rec2));
        EXPECT_EQ(written, FromHex(c.expected));
        // What the logger returns decodes to the same entries.
        const std::optional<HistoryRecord> decoded = DecodeRecord(written);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->entries[0], rec1);
        EXPECT_EQ(decoded->factors, c.adjustment.newFactors);
    }
}

TEST(HistoryRecordBytes, OnlyExactLengthsDecode) {
    const std::vector<uint8_t> shortRecord(kRecordSize - 1);
    const std::vector<uint8_t> longEntry(kEntrySize + 1);
    EXPECT_FALSE(DecodeRecord(shortRecord));
    EXPECT_FALSE(DecodeEntry(longEntry));
    EXPECT_FALSE(DecodeRecord({}));
}

TEST(HistoryMerge, CountStopsAtTheFirstInvalidEntryAndTheMergeWritesAfterIt) {
    HistorySensor sensor = Sensor(Lgr870TemperatureHumidity(), 1);
    sensor.state.entries = {Entry(3, 1), Entry(0, 3), Entry(0, 0), Entry(4, 2)};
    EXPECT_EQ(ValidEntryCount(sensor.state.entries), 2);
    // Kinds outside 1..3 and adjustments of channels outside 1..4 are not valid.
    EXPECT_EQ(ValidEntryCount({Entry(5, 1)}), 0);
    EXPECT_EQ(ValidEntryCount({Entry(2, 4)}), 0);
    EXPECT_EQ(ValidEntryCount({Entry(0, 1)}), 0);

    SensorAdjustment adjustment;
    adjustment.ticked = {false, true};
    const HistoryRecord record =
        MergeHistory(sensor, adjustment, false, HistoryEntry{}, Entry(4, 1, 99));
    EXPECT_EQ(record.entries[2], Entry(4, 1, 99));
    EXPECT_EQ(record.entries[3], HistoryEntry{}) << "the stale entry after the gap is dropped";
    EXPECT_EQ(sensor.state.entries, record.entries) << "the page's copy follows the merge";
}

TEST(HistoryMerge, FullHistoryDropsTheOldestForEachNewEntry) {
    struct Case {
        const char* name;
        HistoryEntries start;
        std::array<bool, 2> ticked;
        HistoryEntries expected;
    };
    const HistoryEntry a = Entry(3, 1, 1), b = Entry(4, 1, 2), c = Entry(3, 2, 3),
                       d = Entry(0, 3, 4), n1 = Entry(3, 1, 50), n2 = Entry(4, 2, 50);
    const std::vector<Case> cases = {
        {"four valid, one new", {a, b, c, d}, {true, false}, {b, c, d, n1}},
        {"four valid, second channel only", {a, b, c, d}, {false, true}, {b, c, d, n2}},
        {"three valid, two new", {a, b, c, {}}, {true, true}, {b, c, n1, n2}},
        {"empty, two new", {}, {true, true}, {n1, n2, {}, {}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        HistorySensor sensor = Sensor(Lgr870TemperatureHumidity(), 1);
        sensor.state.entries = k.start;
        SensorAdjustment adjustment;
        adjustment.ticked = k.ticked;
        adjustment.newFactors = {1001.0, 999.0};
        const HistoryRecord record = MergeHistory(sensor, adjustment, false, n1, n2);
        EXPECT_EQ(record.entries, k.expected);
        EXPECT_EQ(record.factors, adjustment.newFactors);
    }
}

TEST(HistoryMerge, InitialisationAppendsOneEntryAndResetsBothFactors) {
    for (int valid : {0, 3, 4}) {
        SCOPED_TRACE(valid);
        HistorySensor sensor = Sensor(Lgr870IlluminanceUv());
        for (int i = 0; i < valid; ++i) sensor.state.entries[i] = Entry(1, 1, i + 1);
        SensorAdjustment adjustment;
        adjustment.ticked = {true, true};
        adjustment.newFactors = {1500.0, 700.0};  // left from an earlier composition
        HistoryEntry rec1;
        HistoryEntry rec2;
        BuildHistoryRecords(sensor, adjustment, true, kMay6, 1, rec1, rec2);
        EXPECT_EQ(rec1.kind, kKindInitialise);
        EXPECT_EQ(rec1.channel, 0);
        EXPECT_EQ(rec1.unit, 1);
        const HistoryRecord record = MergeHistory(sensor, adjustment, true, rec1, rec2);
        int initialisations = 0;
        for (const HistoryEntry& e : record.entries) initialisations += e.kind == kKindInitialise;
        EXPECT_EQ(initialisations, 1);
        EXPECT_EQ(record.entries[std::min(valid, 3)], rec1);
        EXPECT_EQ(ValidEntryCount(record.entries), std::min(valid + 1, 4));
        EXPECT_EQ(record.factors[0], kNoAdjustmentFactor);
        EXPECT_EQ(record.factors[1], kNoAdjustmentFactor);
    }
}

TEST(HistoryMerge, EntriesAreBuiltOnlyForTickedChannels) {
    HistorySensor sensor = Sensor(Lgr870IlluminanceUv());
    SensorAdjustment adjustment;
    adjustment.ticked = {false, true};
    adjustment.pointCount = {2, 2};
    adjustment.encoded = {1, 2, 3, 4, 5, 6, 7, 8};
    HistoryEntry rec1 = Entry(1, 1);
    HistoryEntry rec2;
    BuildHistoryRecords(sensor, adjustment, false, 77, 0, rec1, rec2);
    EXPECT_EQ(rec1, HistoryEntry{});
    HistoryEntry expected{2, kKindTwoPoint, 77, 2, 4, 6, 8, 0};
    EXPECT_EQ(rec2, expected);
}

TEST_F(HistoryTest, ReadTakesAFactorOnlyForAChannelWithAnAdjustmentInTheRecord) {
    MemoryHistoryDevice device;
    HistoryRecord stored;
    stored.entries = {Entry(0, 3), Entry(4, 2), Entry(0, 0), Entry(3, 0)};
    stored.factors = {1234.0, 876.5};
    device.records[1] = EncodeRecord(stored);
    HistorySensor sensor = Sensor(Lgr870TemperatureHumidity(), 1);

    EXPECT_EQ(ReadHistory(sensor, device), 0);
    EXPECT_EQ(sensor.state.entries, stored.entries);
    EXPECT_EQ(sensor.state.storedFactors[0], kNoAdjustmentFactor) << "Ch.3 has no adjustment";
    EXPECT_EQ(sensor.state.storedFactors[1], 876.5);

    // A factor that is no number never reaches a composition.
    stored.entries[0] = Entry(3, 1);
    stored.factors[0] = std::numeric_limits<double>::quiet_NaN();
    device.records[1] = EncodeRecord(stored);
    ReadHistory(sensor, device);
    EXPECT_EQ(sensor.state.storedFactors[0], kNoAdjustmentFactor);

    // A failed read clears the copy.
    device.readCode = -3;
    EXPECT_EQ(ReadHistory(sensor, device), -3);
    EXPECT_EQ(sensor.state.entries, HistoryEntries{});
    EXPECT_EQ(sensor.state.storedFactors[1], kNoAdjustmentFactor);
}

TEST_F(HistoryTest, AppendWritesWaitsAndRefreshesTheListOnlyAfterASuccessfulWrite) {
    MemoryHistoryDevice device;
    pages::MemoryDialogView view;
    HistorySensor sensor = Sensor(Lgr870TemperatureHumidity(), 1);
    SensorAdjustment adjustment;
    adjustment.ticked = {true, false};
    adjustment.encoded = {234, 0, 235, 0, 0, 0, 0, 0};
    adjustment.newFactors = {1000.0, 1000.0};
    HistoryEntry rec1;
    HistoryEntry rec2;
    BuildHistoryRecords(sensor, adjustment, false, kMay6, 0, rec1, rec2);

    const uint64_t before = clock_.TotalSleptMs();
    EXPECT_EQ(AppendHistory(sensor, device, view, adjustment, false, rec1, rec2), 0);
    EXPECT_GE(clock_.TotalSleptMs() - before, kAfterHistoryWriteMs);
    EXPECT_EQ(DecodeRecord(device.records[1])->entries[0], rec1);
    EXPECT_EQ(device.reads, 1) << "the record is read back after the write";
    ASSERT_EQ(view.Rows(1162).size(), 1u);
    EXPECT_EQ(view.Rows(1162)[0][2], "3");
    EXPECT_EQ(view.Columns(1162).size(), 5u);

    // A refused write (the logger is recording) leaves the list as it was.
    device.writeCode = -9;
    EXPECT_EQ(AppendHistory(sensor, device, view, adjustment, false, rec1, rec2), -9);
    EXPECT_EQ(view.Rows(1162).size(), 1u);
    EXPECT_EQ(device.reads, 1);

    // A write that succeeds but cannot be read back shows the failure row.
    device.writeCode = 0;
    device.readCode = -3;
    EXPECT_EQ(AppendHistory(sensor, device, view, adjustment, false, rec1, rec2), 0);
    ASSERT_EQ(view.Columns(1162).size(), 1u);
    EXPECT_EQ(view.Columns(1162)[0].width, 360);
    ASSERT_EQ(view.Rows(1162).size(), 1u);
    EXPECT_EQ(view.Rows(1162)[0],
              std::vector<std::string>{"アジャストメント履歴の取得に失敗しました。"});
}

}  // namespace
}  // namespace tb::history
