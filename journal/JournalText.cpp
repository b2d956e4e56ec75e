#include "journal/JournalText.h"

#include <QDateTime>
#include <QTimeZone>
#include <cstdio>

#include "journal/WorkConditions.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {
namespace {

constexpr int kMsgSend = 3030;
constexpr int kMsgReceive = 3031;
constexpr int kMsgInitialise = 3032;
constexpr int kMsgOutcomeSuccess = 3040;
constexpr int kMsgOutcomeCancelled = 3041;
constexpr int kMsgOutcomeFailure = 3042;
constexpr int kMsgOutcomeRefused = 3065;

enum Label {
    kLabelTime = 3020,
    kLabelOperator = 3021,
    kLabelOperation = 3022,
    kLabelUnit = 3023,
    kLabelLogger = 3024,
    kLabelAsFound = 3025,
    kLabelAsLeft = 3026,
    kLabelPoints = 3027,
    kLabelEntered = 3028,
    kLabelComposed = 3029,
    kLabelTempUnit = 3033,
    kLabelProgram = 3034,
    kLabelHistory = 3035,
    kLabelChain = 3036,
    kLabelModel = 3011,
    kLabelOutcome = 3013,
    kLabelRecordNumber = 3061,
    kLabelReferences = 3069,
    kLabelAmbient = 3073,
};
constexpr int kMsgExpired = 3071;
constexpr int kMsgNoneRecorded = 3072;

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
    if (operation == "send") return services::LoadResString(kMsgSend);
    if (operation == "receive") return services::LoadResString(kMsgReceive);
    if (operation == "initialise") return services::LoadResString(kMsgInitialise);
    return operation;
}

std::string OutcomeText(const JournalEntry& entry) {
    if (entry.outcome == kOutcomeSuccess) return services::LoadResString(kMsgOutcomeSuccess);
    if (entry.outcome == kOutcomeCancelled) return services::LoadResString(kMsgOutcomeCancelled);
    // A refusal or a message without a library call behind it has no code;
    // "code 0" would read as the code of success.
    if (!entry.resultCode) {
        return services::FormatText(services::LoadResString(kMsgOutcomeRefused), {entry.messageId});
    }
    return services::FormatText(services::LoadResString(kMsgOutcomeFailure),
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
        if (use.expired) text += " " + services::LoadResString(kMsgExpired);
    }
    return text.empty() ? services::LoadResString(kMsgNoneRecorded) : text;
}

std::string AmbientText(const JournalEntry& entry) {
    std::string text;
    if (!entry.ambientC.empty()) text = entry.ambientC + " °C";
    if (!entry.humidityPct.empty()) text += (text.empty() ? "" : ", ") + entry.humidityPct + " %RH";
    return text.empty() ? services::LoadResString(kMsgNoneRecorded) : text;
}

std::string DetailText(const JournalEntry& entry) {
    std::string text;
    text += Line(kLabelRecordNumber, std::to_string(entry.id));
    text += Line(kLabelTime, LocalTimeText(entry) + "  [" + entry.recordedUtc + "]");
    text += Line(kLabelOperator, entry.operatorName);
    text += Line(kLabelProgram, entry.programVersion);
    text += Line(kLabelModel, entry.model);
    text += Line(kLabelOperation, OperationText(entry.operation));
    text += Line(kLabelUnit, entry.unitSerial.empty() ? "-" : entry.unitSerial);
    text += Line(kLabelLogger, entry.loggerSerial.empty() ? "-" : entry.loggerSerial);
    text += Line(kLabelTempUnit, entry.tempUnit == "F" ? "°F" : "℃");
    text += Line(kLabelOutcome, OutcomeText(entry));
    text += Line(kLabelReferences, ReferencesText(entry));
    text += Line(kLabelAmbient, AmbientText(entry));
    for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
        text += "\n[" + channel.name + "]\n";
        text += Line(kLabelAsFound, FieldOf(channel, ChannelField::AsFound));
        text += Line(kLabelPoints, FieldOf(channel, ChannelField::Points));
        text += Line(kLabelEntered, FieldOf(channel, ChannelField::Entered));
        text += Line(kLabelComposed, FieldOf(channel, ChannelField::Composed));
        text += Line(kLabelAsLeft, FieldOf(channel, ChannelField::AsLeft));
    }
    if (!entry.historyEntry.empty()) text += "\n" + Line(kLabelHistory, entry.historyEntry);
    text += "\n" + Line(kLabelChain, entry.chain);
    return text;
}

}  // namespace tb::journal
