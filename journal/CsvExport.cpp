#include "journal/CsvExport.h"

#include <QSaveFile>

#include "journal/JournalText.h"
#include "journal/WorkConditions.h"

namespace tb::journal {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeader =
    "id,recorded_utc,utc_offset_min,operator,program_version,page,model,operation,unit_serial,"
    "logger_serial,temp_unit,channels,as_found,points,entered,composed,as_left,outcome,"
    "message_id,result_code,history_entry,chain,references,ambient_c,humidity_pct";

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string text = "\"";
    for (char c : field) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

std::string ChannelNames(const JournalEntry& entry) {
    std::string names;
    for (const pages::ChannelRecord& channel : ParseChannels(entry.channels)) {
        if (!names.empty()) names += " | ";
        names += channel.name;
    }
    return names;
}

// "PT100-07 | DMM-02", an expired one marked "(expired)".
std::string ReferenceIds(const JournalEntry& entry) {
    std::string ids;
    for (const ReferenceUse& use : ParseReferences(entry.references)) {
        if (!ids.empty()) ids += " | ";
        ids += use.id + (use.expired ? " (expired)" : "");
    }
    return ids;
}

std::string CsvLine(const JournalEntry& entry) {
    const std::vector<std::string> fields = {
        std::to_string(entry.id),
        entry.recordedUtc,
        std::to_string(entry.utcOffsetMinutes),
        entry.operatorName,
        entry.programVersion,
        entry.page,
        entry.model,
        entry.operation,
        entry.unitSerial,
        entry.loggerSerial,
        entry.tempUnit,
        ChannelNames(entry),
        ChannelsText(entry, ChannelField::AsFound),
        ChannelsText(entry, ChannelField::Points),
        ChannelsText(entry, ChannelField::Entered),
        ChannelsText(entry, ChannelField::Composed),
        ChannelsText(entry, ChannelField::AsLeft),
        entry.outcome,
        std::to_string(entry.messageId),
        entry.resultCode ? std::to_string(*entry.resultCode) : std::string(),
        entry.historyEntry,
        entry.chain,
        ReferenceIds(entry),
        entry.ambientC,
        entry.humidityPct};
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += Quoted(fields[i]);
    }
    return line + "\r\n";
}

}  // namespace

std::string CsvText(const std::vector<JournalEntry>& entries) {
    std::string text = std::string(kByteOrderMark) + kHeader + "\r\n";
    for (const JournalEntry& entry : entries) text += CsvLine(entry);
    return text;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        error = file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace tb::journal
