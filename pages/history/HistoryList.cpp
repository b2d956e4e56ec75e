#include "pages/history/HistoryList.h"

#include <array>

#include "pages/history/EventTime.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::history {

namespace {

using services::FormatText;
using services::LoadResString;
using namespace resources::strings;

struct ColumnText {
    int headerId;
    int width;
};
constexpr std::array<ColumnText, 5> kHistoryColumns{{{kStrHistoryBlank, 16},
                                                     {kStrHistoryDateTime, 130},
                                                     {kStrChannel, 32},
                                                     {kStrHistoryPoints, 128},
                                                     {kStrHistoryBeforeAfter, 180}}};
constexpr int kFailureColumnWidth = 360;

constexpr const char* kTwoPoints = "%s / %s";

int PointsTextId(uint8_t kind) {
    switch (kind) {
        case kKindOnePoint:
            return kStrOnePointAdjustment;
        case kKindTwoPoint:
            return kStrTwoPointAdjustment;
        default:
            return kMsgInitialised;
    }
}

std::string TenthsPair(int16_t before, int16_t after) {
    return FormatText(LoadResString(kFmtTenthsPair), {before / 10.0, after / 10.0});
}

// A value of one of the sensor's own channels through its value text;
// values of any other channel have no text.
std::string ValueText(const SensorProfile& profile, int channel, int16_t value) {
    const bool own = channel != 0 &&
                     (channel == profile.channels[0] || channel == profile.channels[1]);
    if (!own || !profile.valueText) return {};
    return profile.valueText(channel, value);
}

std::string TextPair(const SensorProfile& profile, int channel, int16_t before, int16_t after) {
    return FormatText(LoadResString(kFmtTextPair),
                      {ValueText(profile, channel, before), ValueText(profile, channel, after)});
}

std::string ValuesText(const SensorProfile& profile, const HistoryEntry& entry) {
    if (entry.kind == kKindInitialise) return {};
    std::string first;
    std::string second;
    if (profile.kind == SensorKind::TemperatureHumidity) {
        first = TenthsPair(entry.before1, entry.after1);
        second = TenthsPair(entry.before2, entry.after2);
    } else {
        first = TextPair(profile, entry.channel, entry.before1, entry.after1);
        second = TextPair(profile, entry.channel, entry.before2, entry.after2);
    }
    if (entry.kind == kKindOnePoint) return first;
    return FormatText(kTwoPoints, {first, second});
}

}  // namespace

void SetupHistoryColumns(pages::DialogView& view, int listId, bool ok) {
    if (!ok) {
        view.SetColumns(listId, {{std::string(), kFailureColumnWidth}});
        return;
    }
    view.ClearRows(listId);
    std::vector<pages::ListColumn> columns;
    for (const ColumnText& column : kHistoryColumns) {
        columns.push_back({LoadResString(column.headerId), column.width});
    }
    view.SetColumns(listId, columns);
}

void FillHistoryList(pages::DialogView& view, const HistorySensor& sensor, bool ok) {
    view.ClearRows(sensor.listId);
    if (!ok) {
        view.AddRow(sensor.listId, {LoadResString(kMsgHistoryReadFailed)});
        return;
    }
    for (const std::vector<std::string>& row : HistoryRows(sensor)) view.AddRow(sensor.listId, row);
}

std::vector<std::vector<std::string>> HistoryRows(const HistorySensor& sensor) {
    std::vector<std::vector<std::string>> rows;
    const int count = ValidEntryCount(sensor.state.entries);
    for (int i = 0; i < count; ++i) {
        const HistoryEntry& entry = sensor.state.entries[static_cast<std::size_t>(i)];
        const bool initialise = entry.kind == kKindInitialise;
        rows.push_back({std::to_string(i + 1), FormatEventTime(entry.time),
                        initialise ? std::string() : std::to_string(entry.channel),
                        LoadResString(PointsTextId(entry.kind)),
                        ValuesText(sensor.profile, entry)});
    }
    return rows;
}

}  // namespace tb::history
