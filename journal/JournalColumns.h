// The journal's columns, once. Each row of the table says what a column is
// called, its SQL type, the schema version that added it, which field of
// JournalEntry it holds, from which row version the chain's canonical text
// holds it, and its names in the CSV export and the --json output. The
// schema, the column list, the reader, the INSERT and its binds, the
// canonical text, CSV and JSON are all made from it.
//
// Rows already stored are never rewritten, so a column is only ever
// appended: with a later schema version (and a default that the rows
// before it take) and, when it is hashed, a later row version.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "journal/JournalEntry.h"

namespace tb::journal {

// The field of JournalEntry a column holds; its type is the column's kind.
using ColumnField = std::variant<int64_t JournalEntry::*, std::string JournalEntry::*, int JournalEntry::*,
                                 std::optional<int> JournalEntry::*>;

// How the CSV export and --json show a value beyond its stored text.
enum class Shown {
    AsStored,
    Channels,    // JSON text of the channels: an array in --json, five columns in CSV
    References,  // JSON text of the references: an array in --json, their ids in CSV
};

struct JournalColumn {
    const char* name;         // in SQL
    const char* sqlType;      // "TEXT NOT NULL"; empty for the key (each engine has its own)
    int schemaVersion;        // 1: in the table as created; later: added with sqlType's default
    int chainedFrom;          // the first row version whose canonical text holds it; 0: never
    const char* csvName;      // nullptr: not in the CSV export
    const char* jsonName;     // nullptr: not in --json
    Shown shown;
    ColumnField field;
};

// Every column in table order (the key first). Canonical text, CSV and
// JSON follow this order.
std::span<const JournalColumn> JournalColumns();

// "name TYPE, ..." of the columns schema version 1 created, the key aside.
std::string CreatedColumnsSql();
// "ALTER TABLE journal ADD COLUMN ..." for each column `version` added.
std::vector<std::string> AddedColumnsSql(int version);

// "id, recorded_utc, ...": every column, for SELECT.
QString SelectedColumns();
// The INSERT of a row without its key, answering the new key; its values in order.
QString InsertStatement();
QVariantList InsertValues(const JournalEntry& entry);
// A value as read back into its field.
void ReadColumn(const JournalColumn& column, const QVariant& value, JournalEntry& entry);

// The value as stored text: numbers in decimal, a missing one as `missing`.
std::string ColumnText(const JournalColumn& column, const JournalEntry& entry, const std::string& missing);

// The row in the --json shape (documented in trimbench(1)).
QJsonObject EntryJson(const JournalEntry& entry);

}  // namespace tb::journal
