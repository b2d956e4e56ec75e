#include "journal/JournalEntry.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "journal/JournalColumns.h"
#include "journal/LoginName.h"
#include "services/Settings.h"

namespace tb::journal {
namespace {

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

QJsonValue CorrectionValue(const std::optional<pages::Correction>& correction) {
    if (!correction) return QJsonValue();
    return QJsonObject{{"a", correction->slope}, {"b", correction->offset}};
}

std::optional<pages::Correction> CorrectionOf(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    if (!object.value("a").isDouble() || !object.value("b").isDouble()) return std::nullopt;
    return pages::Correction{object.value("a").toDouble(), object.value("b").toDouble()};
}

QJsonValue LimitsValue(const std::optional<pages::AppliedLimits>& limits) {
    if (!limits) return QJsonValue();
    return QJsonObject{{"kind", limits->checkKind},
                       {"min_slope", limits->minSlope},
                       {"max_slope", limits->maxSlope},
                       {"one_point_offset", limits->onePointOffsetLimit},
                       {"two_point_offset", limits->twoPointOffsetLimit}};
}

std::optional<pages::AppliedLimits> LimitsOf(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    return pages::AppliedLimits{object.value("kind").toInt(), object.value("min_slope").toDouble(),
                                object.value("max_slope").toDouble(),
                                object.value("one_point_offset").toDouble(),
                                object.value("two_point_offset").toDouble()};
}

std::string OutcomeOf(const pages::AdjustmentRecord& record) {
    if (record.success) return kOutcomeSuccess;
    if (record.messageId == 0 && !record.resultCode) return kOutcomeCancelled;
    return kOutcomeFailure;
}

void AppendField(std::string& text, const std::string& field) {
    text += std::to_string(field.size());
    text += ':';
    text += field;
}

}  // namespace

std::string ChannelsJson(const std::vector<pages::ChannelRecord>& channels) {
    QJsonArray array;
    for (const pages::ChannelRecord& channel : channels) {
        QJsonArray points;
        for (const std::string& point : channel.enteredPoints) {
            points.append(QString::fromStdString(point));
        }
        QJsonObject object{{"name", QString::fromStdString(channel.name)},
                           {"as_found", CorrectionValue(channel.asFound)},
                           {"points", points},
                           {"entered", CorrectionValue(channel.entered)},
                           {"composed", CorrectionValue(channel.composed)},
                           {"as_left", CorrectionValue(channel.asLeft)},
                           {"limits", LimitsValue(channel.limits)}};
        // Records made before units were recorded have none; their text stays as it was.
        if (!channel.unit.empty()) object.insert("unit", QString::fromStdString(channel.unit));
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

std::vector<pages::ChannelRecord> ParseChannels(const std::string& json) {
    std::vector<pages::ChannelRecord> channels;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    if (!document.isArray()) return channels;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        pages::ChannelRecord channel;
        channel.name = object.value("name").toString().toStdString();
        channel.unit = object.value("unit").toString().toStdString();
        channel.asFound = CorrectionOf(object.value("as_found"));
        for (const QJsonValue& point : object.value("points").toArray()) {
            channel.enteredPoints.push_back(point.toString().toStdString());
        }
        channel.entered = CorrectionOf(object.value("entered"));
        channel.composed = CorrectionOf(object.value("composed"));
        channel.asLeft = CorrectionOf(object.value("as_left"));
        channel.limits = LimitsOf(object.value("limits"));
        channels.push_back(std::move(channel));
    }
    return channels;
}

JournalEntry EntryFromRecord(const pages::AdjustmentRecord& record, const RecordContext& context) {
    JournalEntry entry;
    entry.recordedUtc = context.recordedUtc;
    entry.utcOffsetMinutes = context.utcOffsetMinutes;
    entry.operatorName = context.operatorName;
    entry.programVersion = context.programVersion;
    entry.page = record.page;
    entry.model = record.model;
    entry.operation = pages::OperationName(record.operation);
    entry.unitSerial = record.unitSerial;
    entry.loggerSerial = record.loggerSerial;
    entry.tempUnit = record.tempUnit == 1 ? "F" : "C";
    entry.channels = ChannelsJson(record.channels);
    entry.outcome = OutcomeOf(record);
    entry.messageId = record.messageId;
    entry.resultCode = record.resultCode;
    entry.historyEntry = HexBytes(record.historyEntry);
    return entry;
}

RecordContext CurrentContext() {
    const QDateTime now = QDateTime::currentDateTime();
    RecordContext context;
    context.recordedUtc = now.toUTC().toString(Qt::ISODateWithMs).toStdString();
    context.utcOffsetMinutes = now.offsetFromUtc() / 60;
    context.operatorName = services::ReadSettingText("Journal/Operator", LoginName());
    context.programVersion = TRIMBENCH_VERSION;
    return context;
}

std::string CanonicalText(const JournalEntry& entry) {
    // Rows of version 1 end after the history entry; a row of a later
    // version holds the columns of its version and those before.
    const int version = std::max(entry.rowVersion, kRowVersionFirst);
    std::string text;
    for (const JournalColumn& column : JournalColumns())
        if (column.chainedFrom != 0 && column.chainedFrom <= version)
            AppendField(text, ColumnText(column, entry, "-"));
    return text;
}

}  // namespace tb::journal
