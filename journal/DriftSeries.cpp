#include "journal/DriftSeries.h"

#include <algorithm>
#include <cstdio>

#include "journal/JournalRows.h"
#include "journal/JournalText.h"

namespace tb::journal {
namespace {

std::string Number(const std::optional<pages::Correction>& correction, bool slope) {
    if (!correction) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", slope ? correction->slope : correction->offset);
    return text;
}

// A channel name is the page's text: quoted where it holds a comma or quote.
std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string text = "\"";
    for (char c : field) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

}  // namespace

std::optional<std::vector<JournalEntry>> LoggerVisits(JournalStore& store, const DriftLogger& logger,
                                                      JournalError& error) {
    JournalFilter filter;
    filter.serial = logger.serial;
    filter.model = logger.model;
    auto rows = AllRows(store, filter, error);
    if (!rows) return std::nullopt;
    std::erase_if(*rows, [](const JournalEntry& entry) { return entry.operation == "receive"; });
    std::reverse(rows->begin(), rows->end());
    return rows;
}

std::vector<std::string> DriftChannels(const std::vector<JournalEntry>& visits) {
    std::vector<std::string> names;
    for (const JournalEntry& entry : visits)
        for (const pages::ChannelRecord& channel : ParseChannels(entry.channels))
            if (std::find(names.begin(), names.end(), channel.name) == names.end())
                names.push_back(channel.name);
    return names;
}

DriftSeries DriftOf(const std::vector<JournalEntry>& visits, const std::string& channel) {
    DriftSeries series;
    series.channel = channel;
    for (const JournalEntry& entry : visits) {
        for (const pages::ChannelRecord& record : ParseChannels(entry.channels)) {
            if (record.name != channel) continue;
            series.visits.push_back(
                {entry.id, entry.recordedUtc, LocalTimeText(entry), record.asFound, record.asLeft, entry.outcome});
            if (record.limits) series.limits = record.limits;
        }
    }
    return series;
}

std::optional<std::vector<DriftSeries>> CertificateDrift(JournalStore& store,
                                                         const std::vector<JournalEntry>& entries,
                                                         JournalError& error) {
    std::vector<DriftSeries> drift;
    if (entries.empty()) return drift;
    const JournalEntry& first = entries.front();
    auto visits = LoggerVisits(store, {IdentityText(first), first.model}, error);
    if (!visits) return std::nullopt;
    int64_t newest = 0;
    for (const JournalEntry& entry : entries) newest = std::max(newest, entry.id);
    std::erase_if(*visits, [&](const JournalEntry& entry) { return entry.id > newest; });
    for (const std::string& channel : DriftChannels(*visits)) drift.push_back(DriftOf(*visits, channel));
    return drift;
}

std::string DriftCsv(const DriftSeries& series) {
    std::string text =
        "\xEF\xBB\xBF"
        "id,recorded_utc,channel,as_found_slope,as_found_offset,as_left_slope,as_left_offset,outcome\r\n";
    for (const DriftVisit& visit : series.visits) {
        text += std::to_string(visit.id) + "," + visit.recordedUtc + "," + Quoted(series.channel) + "," +
                Number(visit.asFound, true) + "," + Number(visit.asFound, false) + "," +
                Number(visit.asLeft, true) + "," + Number(visit.asLeft, false) + "," + visit.outcome +
                "\r\n";
    }
    return text;
}

}  // namespace tb::journal
