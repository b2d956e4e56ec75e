// What the store's files share to run a statement: the engine's message of
// a failed query, and a statement run for its effect alone.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <string>

namespace tb::journal {

inline QString SqlText(const std::string& text) { return QString::fromStdString(text); }

inline std::string ErrorOf(const QSqlQuery& query) { return query.lastError().text().toStdString(); }

// Runs sql; false with the engine's message in error.
inline bool Exec(QSqlDatabase& db, const QString& sql, std::string& error) {
    QSqlQuery query(db);
    if (query.exec(sql)) return true;
    error = ErrorOf(query);
    return false;
}

}  // namespace tb::journal
