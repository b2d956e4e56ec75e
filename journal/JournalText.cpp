#include "journal/JournalText.h"

#include <QDateTime>
#include <QTimeZone>
#include <cstdio>

#include "journal/WorkConditions.h"
#include "services/FormatText.h"
#include "services/PageServices.h"
#include "resources/StringIds.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

QDateTime LocalTime(const JournalEntry& entry) {
    const QDateTime utc =
        QDateTime::fromString(QString::fromStdString(entry.recordedUtc), Qt::ISODateWithMs);
    return utc.toTimeZone(QTimeZone(entry.utcOffsetMinutes * 60));
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += separator;
        text += parts[i];
    }
    return text;
}

std::string PointsText(const std::vector<std::string>& points) {
    std::vector<std::string> pairs;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        pairs.push_back(points[i] + " -> " + points[i + 1]);
    }
    return pairs.empty() ? std::string("-") : Join(pairs, ", ");
}

std::string FieldOf(const pages::ChannelRecord& channel, ChannelField field) {
    switch (field) {
        case ChannelField::AsFound:
            return CorrectionText(channel.asFound);
        case ChannelField::Points:
            return PointsText(channel.enteredPoints);
        case ChannelField::Entered:
            return CorrectionText(channel.entered);
        case ChannelField::Composed:
            return CorrectionText(channel.composed);
        case ChannelField::AsLeft:
            break;
    }
    return CorrectionText(channel.asLeft);
}

std::string Line(int label, const std::string& value) {
    return services::LoadResString(label) + ": " + value + "\n";
}

}  // namespace

std::string CorrectionText(const std::optional<pages::Correction>& correction) {
    if (!correction) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "y = %.3fx %+.3f", correction->slope, correction->offset);
    return text;
}

std::string LocalTimeText(const JournalEntry& entry) {
    const QDateTime local = LocalTime(entry);
    if (!local.isValid()) return entry.recordedUtc;
    const int minutes =
        entry.utcOffsetMinutes < 0 ? -entry.utcOffsetMinutes : entry.utcOffsetMinutes;
    char offset[16];
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", entry.utcOffsetMinutes < 0 ? '-' : '+',
                  minutes / 60 % 100, minutes % 60);
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + " (" + offset +
           ")";
}

std::string LocalDateText(const JournalEntry& entry) {
    const QDateTime local = LocalTime(entry);
    if (!local.isValid()) return entry.recordedUtc.substr(0, 10);
    return local.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string OperationText(const std::string& operation) {
    if (operation == "send") return services::LoadResString(kStrOperationSend);
    if (operation == "receive") return services::LoadResString(kStrOperationReceive);
    if (operation == "initialise") return services::LoadResString(kStrOperationInitialise);
    return operation;
}

std::string OutcomeText(const JournalEntry& entry) {
    if (entry.outcome == kOutcomeSuccess) return services::LoadResString(kStrOutcomeSuccess);
    if (entry.outcome == kOutcomeCancelled) return services::LoadResString(kStrOutcomeCancelled);
    // A refusal or a message without a library call behind it has no code;
    // "code 0" would read as the code of success.
    if (!entry.resultCode) {
        return services::FormatText(services::LoadResString(kFmtOutcomeRefused), {entry.messageId});
    }
    return services::FormatText(services::LoadResString(kFmtOutcomeFailure),
                                {entry.messageId, *entry.resultCode});
}

std::string IdentityText(const JournalEntry& entry) {
    return entry.loggerSerial.empty() ? entry.unitSerial : entry.loggerSerial;
}

std::string ChannelsText(const JournalEntry& entry, ChannelField field) {
    std::vector<std::string> parts;
    for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
        parts.push_back(FieldOf(channel, field));
    }
    return Join(parts, " | ");
}

std::string ReferencesText(const JournalEntry& entry) {
    std::string text;
    for (const ReferenceUse& use : ParseReferences(entry.references)) {
        if (!text.empty()) text += " | ";
        text += use.id + " (" + use.certificate + ", " + use.dueOn + ")";
        if (use.expired) text += " " + services::LoadResString(kStrExpired);
    }
    return text.empty() ? services::LoadResString(kStrNoneRecorded) : text;
}

std::string AmbientText(const JournalEntry& entry) {
    std::string text;
    if (!entry.ambientC.empty()) text = entry.ambientC + " °C";
    if (!entry.humidityPct.empty()) text += (text.empty() ? "" : ", ") + entry.humidityPct + " %RH";
    return text.empty() ? services::LoadResString(kStrNoneRecorded) : text;
}

std::string DetailText(const JournalEntry& entry) {
    std::string text;
    text += Line(kStrRecordNumber, std::to_string(entry.id));
    text += Line(kStrDateTime, LocalTimeText(entry) + "  [" + entry.recordedUtc + "]");
    text += Line(kStrOperator, entry.operatorName);
    text += Line(kStrProgram, entry.programVersion);
    text += Line(kStrModel, entry.model);
    text += Line(kStrOperation, OperationText(entry.operation));
    text += Line(kStrBaseUnit, entry.unitSerial.empty() ? "-" : entry.unitSerial);
    text += Line(kStrLogger, entry.loggerSerial.empty() ? "-" : entry.loggerSerial);
    text += Line(kStrTempUnit, entry.tempUnit == "F" ? "°F" : "℃");
    text += Line(kStrOutcome, OutcomeText(entry));
    text += Line(kStrReferences, ReferencesText(entry));
    text += Line(kStrAmbient, AmbientText(entry));
    for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
        text += "\n[" + channel.name + "]\n";
        text += Line(kStrAsFound, FieldOf(channel, ChannelField::AsFound));
        text += Line(kStrPointsEntered, FieldOf(channel, ChannelField::Points));
        text += Line(kStrEnteredCorrection, FieldOf(channel, ChannelField::Entered));
        text += Line(kStrCorrectionToWrite, FieldOf(channel, ChannelField::Composed));
        text += Line(kStrAsLeft, FieldOf(channel, ChannelField::AsLeft));
    }
    if (!entry.historyEntry.empty()) text += "\n" + Line(kStrHistoryEntries, entry.historyEntry);
    text += "\n" + Line(kStrChainValue, entry.chain);
    return text;
}

}  // namespace tb::journal
