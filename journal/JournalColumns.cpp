#include "journal/JournalColumns.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <array>

namespace tb::journal {
namespace {

using E = JournalEntry;
constexpr const char* kText = "TEXT NOT NULL";
constexpr const char* kInteger = "INTEGER NOT NULL";

// Version 1 created the table with the columns up to chain; version 2
// added what each row was traced to and under which conditions (rows
// written before keep row version 1 and their canonical text).
constexpr std::array kColumns = {
    JournalColumn{"id", "", 1, 0, "id", "id", Shown::AsStored, &E::id},
    JournalColumn{"recorded_utc", kText, 1, 1, "recorded_utc", "recordedUtc", Shown::AsStored, &E::recordedUtc},
    JournalColumn{"utc_offset_min", kInteger, 1, 1, "utc_offset_min", "utcOffsetMinutes", Shown::AsStored,
                  &E::utcOffsetMinutes},
    JournalColumn{"operator", kText, 1, 1, "operator", "operator", Shown::AsStored, &E::operatorName},
    JournalColumn{"program_version", kText, 1, 1, "program_version", "programVersion", Shown::AsStored,
                  &E::programVersion},
    JournalColumn{"page", kText, 1, 1, "page", "page", Shown::AsStored, &E::page},
    JournalColumn{"model", kText, 1, 1, "model", "model", Shown::AsStored, &E::model},
    JournalColumn{"operation", kText, 1, 1, "operation", "operation", Shown::AsStored, &E::operation},
    JournalColumn{"unit_serial", kText, 1, 1, "unit_serial", "unitSerial", Shown::AsStored, &E::unitSerial},
    JournalColumn{"logger_serial", kText, 1, 1, "logger_serial", "loggerSerial", Shown::AsStored,
                  &E::loggerSerial},
    JournalColumn{"temp_unit", kText, 1, 1, "temp_unit", "tempUnit", Shown::AsStored, &E::tempUnit},
    JournalColumn{"channels", kText, 1, 1, "channels", "channels", Shown::Channels, &E::channels},
    JournalColumn{"outcome", kText, 1, 1, "outcome", "outcome", Shown::AsStored, &E::outcome},
    JournalColumn{"message_id", kInteger, 1, 1, "message_id", "messageId", Shown::AsStored, &E::messageId},
    JournalColumn{"result_code", "INTEGER", 1, 1, "result_code", "resultCode", Shown::AsStored, &E::resultCode},
    JournalColumn{"history_entry", kText, 1, 1, "history_entry", "historyEntry", Shown::AsStored,
                  &E::historyEntry},
    JournalColumn{"chain", kText, 1, 0, "chain", "chain", Shown::AsStored, &E::chain},
    JournalColumn{"row_version", "INTEGER NOT NULL DEFAULT 1", 2, 2, nullptr, nullptr, Shown::AsStored,
                  &E::rowVersion},
    JournalColumn{"reference_list", "TEXT NOT NULL DEFAULT ''", 2, 2, "references", "references",
                  Shown::References, &E::references},
    JournalColumn{"ambient_c", "TEXT NOT NULL DEFAULT ''", 2, 2, "ambient_c", "ambientC", Shown::AsStored,
                  &E::ambientC},
    JournalColumn{"humidity_pct", "TEXT NOT NULL DEFAULT ''", 2, 2, "humidity_pct", "humidityPct",
                  Shown::AsStored, &E::humidityPct},
};

bool IsKey(const JournalColumn& column) { return std::holds_alternative<int64_t E::*>(column.field); }

// A value of any column's kind.
template <typename Visit>
auto VisitField(const JournalColumn& column, const JournalEntry& entry, Visit visit) {
    return std::visit([&](auto member) { return visit(entry.*member); }, column.field);
}

QString Join(const QStringList& parts) { return parts.join(QStringLiteral(", ")); }

struct ToText {
    const std::string& missing;
    std::string operator()(const std::string& value) const { return value; }
    std::string operator()(int64_t value) const { return std::to_string(value); }
    std::string operator()(int value) const { return std::to_string(value); }
    std::string operator()(const std::optional<int>& value) const {
        return value ? std::to_string(*value) : missing;
    }
};

struct ToVariant {
    QVariant operator()(const std::string& value) const { return QString::fromStdString(value); }
    QVariant operator()(int64_t value) const { return static_cast<qlonglong>(value); }
    QVariant operator()(int value) const { return value; }
    QVariant operator()(const std::optional<int>& value) const {
        return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
    }
};

struct ToJson {
    Shown shown;
    QJsonValue operator()(const std::string& value) const {
        if (shown == Shown::AsStored) return QString::fromStdString(value);
        return QJsonDocument::fromJson(QByteArray::fromStdString(value)).array();
    }
    QJsonValue operator()(int64_t value) const { return static_cast<qint64>(value); }
    QJsonValue operator()(int value) const { return value; }
    QJsonValue operator()(const std::optional<int>& value) const {
        return value ? QJsonValue(*value) : QJsonValue();
    }
};

}  // namespace

std::span<const JournalColumn> JournalColumns() { return kColumns; }

std::string CreatedColumnsSql() {
    QStringList parts;
    for (const JournalColumn& column : kColumns)
        if (!IsKey(column) && column.schemaVersion == 1) parts << QString::fromLatin1(column.name) + ' ' + column.sqlType;
    return Join(parts).toStdString();
}

std::vector<std::string> AddedColumnsSql(int version) {
    std::vector<std::string> statements;
    for (const JournalColumn& column : kColumns)
        if (version > 1 && column.schemaVersion == version)
            statements.push_back(std::string("ALTER TABLE journal ADD COLUMN ") + column.name + ' ' + column.sqlType);
    return statements;
}

QString SelectedColumns() {
    QStringList names;
    for (const JournalColumn& column : kColumns) names << QString::fromLatin1(column.name);
    return Join(names);
}

QString InsertStatement() {
    QStringList names;
    QStringList marks;
    for (const JournalColumn& column : kColumns) {
        if (IsKey(column)) continue;
        names << QString::fromLatin1(column.name);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO journal (%1) VALUES (%2) RETURNING id")
        .arg(Join(names), marks.join(QLatin1Char(',')));
}

QVariantList InsertValues(const JournalEntry& entry) {
    QVariantList values;
    for (const JournalColumn& column : kColumns)
        if (!IsKey(column)) values << VisitField(column, entry, ToVariant{});
    return values;
}

void ReadColumn(const JournalColumn& column, const QVariant& value, JournalEntry& entry) {
    std::visit(
        [&](auto member) {
            auto& field = entry.*member;
            using Field = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string>) {
                field = value.toString().toStdString();
            } else if constexpr (std::is_same_v<Field, int64_t>) {
                field = value.toLongLong();
            } else if constexpr (std::is_same_v<Field, int>) {
                field = value.toInt();
            } else {
                field = value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
            }
        },
        column.field);
}

std::string ColumnText(const JournalColumn& column, const JournalEntry& entry, const std::string& missing) {
    return VisitField(column, entry, ToText{missing});
}

QJsonObject EntryJson(const JournalEntry& entry) {
    QJsonObject object;
    for (const JournalColumn& column : kColumns)
        if (column.jsonName) object.insert(QLatin1String(column.jsonName), VisitField(column, entry, ToJson{column.shown}));
    return object;
}

}  // namespace tb::journal
