#include "pages/history/HistoryLog.h"

#include "pages/history/EventTime.h"
#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::history {

namespace {

using services::FormatText;
using services::LoadResString;
using namespace resources::strings;

constexpr const char* kLineEnd = "\r\n";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

char UnitLetter(int unit) { return unit == kUnitFahrenheit ? 'F' : 'C'; }

// A line of at most kMaxLineChars characters that ends in CR LF, whatever
// a replaced message text holds.
std::string FinishLine(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return CutToCharacters(line, kMaxLineChars - 2) + kLineEnd;
}

std::string AdjustmentLine(const HistorySensor& sensor, const std::array<std::string, 4>& typed,
                           const HistoryEntry& entry, uint32_t serial) {
    const std::string date = FormatEventTime(entry.time);
    const char unit = UnitLetter(entry.unit);
    const bool twoPoint = entry.kind == kKindTwoPoint;
    const std::string word = LoadResString(twoPoint ? kStrTwoPointWord : kStrOnePointWord);
    if (sensor.profile.kind == SensorKind::TemperatureHumidity) {
        const double b1 = entry.before1 / 10.0;
        const double a1 = entry.after1 / 10.0;
        if (!twoPoint) {
            return FormatText(LoadResString(kFmtTenthsOnePointLine),
                              {date, "", serial, entry.channel, word, b1, a1, unit});
        }
        return FormatText(LoadResString(kFmtTenthsTwoPointLine),
                          {date, "", serial, entry.channel, word, b1, a1, entry.before2 / 10.0,
                           entry.after2 / 10.0, unit});
    }
    std::array<std::string, 4> cut;
    for (std::size_t i = 0; i < cut.size(); ++i) cut[i] = CutToCharacters(typed[i], kMaxTypedChars);
    if (!twoPoint) {
        return FormatText(LoadResString(kFmtTextOnePointLine),
                          {date, "", serial, entry.channel, word, cut[0], cut[1], unit});
    }
    return FormatText(LoadResString(kFmtTextTwoPointLine), {date, "", serial, entry.channel, word,
                                                            cut[0], cut[1], cut[2], cut[3], unit});
}

}  // namespace

std::string CutToCharacters(const std::string& text, std::size_t maxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (chars == maxChars) return text.substr(0, i);
        ++chars;
    }
    return text;
}

std::vector<std::string> HistoryLogLines(const HistorySensor& sensor,
                                         const SensorAdjustment& adjustment, bool initialise,
                                         const HistoryEntry& rec1, const HistoryEntry& rec2,
                                         const LogEvent& event) {
    std::vector<std::string> lines;
    if (initialise) {
        lines.push_back(FinishLine(
            FormatText(LoadResString(kFmtInitialiseLine),
                       {FormatEventTime(rec1.time), "", event.serial, sensor.profile.logName,
                        LoadResString(kStrInitialiseWord), UnitLetter(event.currentUnit)})));
        return lines;
    }
    const std::array<const HistoryEntry*, 2> entries{&rec1, &rec2};
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        if (!SlotAdjusted(sensor, adjustment, slot)) continue;
        lines.push_back(FinishLine(
            AdjustmentLine(sensor, adjustment.typed[slot], *entries[slot], event.serial)));
    }
    return lines;
}

LogFileError WriteHistoryLog(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                             bool initialise, const HistoryEntry& rec1, const HistoryEntry& rec2,
                             const LogEvent& event) {
    const std::vector<std::string> lines =
        HistoryLogLines(sensor, adjustment, initialise, rec1, rec2, event);
    // The data folder may have gone since the page started; a line is not
    // lost for that.
    services::EnsureDataFolders();
    const LogFileError error = AppendLogLines(services::DataFolderPath(), lines);
    if (error != LogFileError::None) {
        services::ShowMessage(
            FormatText(LoadResString(kMsgHistorySaveFailed), {static_cast<int>(error)}),
            services::MsgButtons::Ok, services::MsgIcon::Warning, kMsgHistorySaveFailed);
    }
    return error;
}

}  // namespace tb::history
