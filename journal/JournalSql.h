// What the store's files share to run a statement: the error of a failed
// query, and a statement run for its effect alone.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <string>

#include "journal/JournalError.h"

namespace tb::journal {

inline QString SqlText(const std::string& text) { return QString::fromStdString(text); }

// The error of text (a kMsg... id whose last %s is the reason) with the
// engine's own reason for the failed query.
inline JournalError ErrorOf(int text, const QSqlQuery& query) {
    return {text, {query.lastError().text().toStdString()}};
}

// Runs sql; false with text and the engine's reason in error.
inline bool Exec(QSqlDatabase& db, const QString& sql, int text, JournalError& error) {
    QSqlQuery query(db);
    if (query.exec(sql)) return true;
    error = ErrorOf(text, query);
    return false;
}

}  // namespace tb::journal
