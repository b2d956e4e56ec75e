// The history list's columns and row texts, and the event time layouts.
#include <cstdlib>
#include <ctime>

#include "HistoryFixture.h"
#include "pages/MemoryDialogView.h"
#include "pages/history/EventTime.h"
#include "pages/history/HistoryList.h"
#include "pages/history/SensorProfile.h"

namespace tb::history {
namespace {

using Row = std::vector<std::string>;

HistoryEntry Entry(uint8_t channel, uint8_t kind, std::array<int16_t, 4> values) {
    return {channel, kind, kMay6, values[0], values[1], values[2], values[3], 0};
}

TEST_F(HistoryTest, EventTimeInEveryDateForm) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "2024-05-06 07:08:09"}, {1, "2024-5-6 07:08:09"},  {2, "2024-May-6 07:08:09"},
        {3, "5-6-2024 07:08:09"},   {4, "May-6-2024 07:08:09"}, {5, "6-5-2024 07:08:09"},
        {6, "6-May-2024 07:08:09"}, {7, "2024-05-06 07:08:09"}, {-1, "2024-05-06 07:08:09"},
    };
    for (const auto& [form, text] : cases) EXPECT_EQ(FormatEventTime(kMay6, form), text) << form;
    SetDateForm(5);
    EXPECT_EQ(FormatEventTime(kMay6), "6-5-2024 07:08:09") << "the stored DateForm is used";
}

TEST_F(HistoryTest, EventTimeIsLocalTime) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
    const std::string text = FormatEventTime(kMay6, 0);
    old ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_EQ(text, "2024-05-06 16:08:09");
}

TEST_F(HistoryTest, ColumnsForAReadHistoryAndForAFailedRead) {
    pages::MemoryDialogView view;
    view.AddRow(1163, {"stale"});
    SetupHistoryColumns(view, 1163, true);
    const std::vector<pages::ListColumn> expected = {
        {" ", 16}, {"日時", 130}, {"Ch.", 32}, {"調整点", 128}, {"調整前 --> 調整後", 180}};
    EXPECT_EQ(view.Columns(1163), expected);
    EXPECT_TRUE(view.Rows(1163).empty());

    SetupHistoryColumns(view, 1163, false);
    EXPECT_EQ(view.Columns(1163), (std::vector<pages::ListColumn>{{"", 360}}));
}

TEST_F(HistoryTest, TemperatureHumidityRowsInTenths) {
    HistorySensor sensor;
    sensor.listId = 1162;
    sensor.profile = Lgr870TemperatureHumidity();
    sensor.state.entries = {Entry(3, 1, {234, 235, 0, 0}), Entry(4, 2, {500, 520, -15, 0}),
                            Entry(0, 3, {0, 0, 0, 0}), Entry(0, 0, {0, 0, 0, 0})};
    pages::MemoryDialogView view;
    view.AddRow(1162, {"stale"});
    FillHistoryList(view, sensor, true);
    const std::vector<Row> expected = {
        {"1", "2024-05-06 07:08:09", "3", "１点で調整", "23.4 --> 23.5"},
        {"2", "2024-05-06 07:08:09", "4", "２点で調整", "50.0 --> 52.0 / -1.5 --> 0.0"},
        {"3", "2024-05-06 07:08:09", "", "初期化しました。", ""},
    };
    EXPECT_EQ(view.Rows(1162), expected);
}

TEST_F(HistoryTest, IlluminanceUvRowsUseTheValueTextOfTheirOwnChannelsOnly) {
    HistorySensor sensor;
    sensor.profile = Lgr870IlluminanceUv();
    sensor.profile.valueText = [](int channel, int16_t value) {
        return (channel == 1 ? "I" : "U") + std::to_string(value);
    };
    sensor.state.entries = {Entry(1, 1, {240, 0, 0, 0}), Entry(2, 2, {10, 20, 30, 40}),
                            Entry(3, 1, {5, 6, 0, 0})};
    const std::vector<Row> rows = HistoryRows(sensor);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][4], "I240 --> I0");
    EXPECT_EQ(rows[1][4], "U10 --> U20 / U30 --> U40");
    EXPECT_EQ(rows[2][4], " --> ") << "a channel of the other sensor has no value texts";
}

// Every stored CO2 value is a value code; each one is shown in ppm, and a
// code that holds no value is shown empty.
TEST_F(HistoryTest, Co2RowsShowEveryValueInPpm) {
    HistorySensor sensor;
    sensor.profile = Lgr875Co2();
    const auto code = [](int v) { return static_cast<int16_t>(v); };
    sensor.state.entries = {Entry(1, 1, {420, 400, 0, 0}),
                            Entry(1, 2, {code(0x2FA0), code(0x1800), code(0xF000), 0}),
                            Entry(1, 1, {code(0xF00F), 5000, 0, 0})};
    const std::vector<Row> rows = HistoryRows(sensor);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][4], "420 --> 400");
    EXPECT_EQ(rows[1][4], "16000 --> 4096 /  --> 0");
    EXPECT_EQ(rows[2][4], " --> 1808") << "5000 = 0x1388: mantissa 904, exponent 1";
}

}  // namespace
}  // namespace tb::history
