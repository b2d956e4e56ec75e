#include "journal/CsvExport.h"

#include <QSaveFile>

#include "journal/JournalColumns.h"
#include "journal/JournalText.h"
#include "journal/WorkConditions.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
// The channels' names are followed by one column per field of their corrections.
struct ChannelColumn {
    const char* name;
    ChannelField field;
};
constexpr ChannelColumn kChannelColumns[] = {{"as_found", ChannelField::AsFound},
                                             {"points", ChannelField::Points},
                                             {"entered", ChannelField::Entered},
                                             {"composed", ChannelField::Composed},
                                             {"as_left", ChannelField::AsLeft}};

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string text = "\"";
    for (char c : field) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

// The fields quoted and joined with commas, with the CRLF line end.
std::string JoinedLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += Quoted(fields[i]);
    }
    return line + "\r\n";
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

std::string Header() {
    std::vector<std::string> names;
    for (const JournalColumn& column : JournalColumns()) {
        if (!column.csvName) continue;
        names.push_back(column.csvName);
        if (column.shown != Shown::Channels) continue;
        for (const ChannelColumn& channel : kChannelColumns) names.push_back(channel.name);
    }
    return JoinedLine(names);
}

std::string CsvLine(const JournalEntry& entry) {
    std::vector<std::string> fields;
    for (const JournalColumn& column : JournalColumns()) {
        if (!column.csvName) continue;
        switch (column.shown) {
            case Shown::AsStored:
                fields.push_back(ColumnText(column, entry, ""));
                break;
            case Shown::Channels:
                fields.push_back(ChannelNames(entry));
                for (const ChannelColumn& channel : kChannelColumns)
                    fields.push_back(ChannelsText(entry, channel.field));
                break;
            case Shown::References:
                fields.push_back(ReferenceIds(entry));
                break;
        }
    }
    return JoinedLine(fields);
}

}  // namespace

std::string CsvText(const std::vector<JournalEntry>& entries) {
    std::string text = std::string(kByteOrderMark) + Header();
    for (const JournalEntry& entry : entries) text += CsvLine(entry);
    return text;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, JournalError& error) {
    QSaveFile file(QString::fromStdString(path));
    auto failed = [&] {
        error = {resources::strings::kMsgFileNotWritten, {path, file.errorString().toStdString()}};
    };
    if (!file.open(QIODevice::WriteOnly)) {
        failed();
        return false;
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        failed();
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace tb::journal
