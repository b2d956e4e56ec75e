#include "journal/CertificateRegister.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

#include "journal/JournalSql.h"
#include "journal/ReferenceRegister.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

// The longest list texts a row of the register may hold: a row key is at
// most 19 digits and a comma; a reference id at most its length, quoted
// and escaped, and a comma.
constexpr qsizetype kMaxRowIdsText = static_cast<qsizetype>(kMaxCertificateRows) * 20 + 2;
constexpr qsizetype kMaxReferenceIdsText =
    static_cast<qsizetype>(kMaxCertificateReferences * (kMaxReferenceIdLength * 6 + 3)) + 2;
// The largest integer a JSON number keeps exactly.
constexpr double kMaxExactInteger = 9007199254740992.0;

const QString kColumns = QStringLiteral(
    "number, replaces, issued_utc, model, logger_serial, row_ids, digest, reference_ids");

JournalError ReadError(const QSqlQuery& query) { return ErrorOf(kMsgJournalCannotRead, query); }

JournalError CheckBounds(const IssuedCertificate& issued) {
    if (issued.number.empty()) return {kMsgCertificateNoNumber};
    for (const std::string* text : {&issued.number, &issued.replaces, &issued.issuedUtc, &issued.model,
                                    &issued.loggerSerial, &issued.digest}) {
        if (text->size() > kMaxCertificateTextLength) return {kMsgCertificateTooLarge, {issued.number}};
    }
    if (issued.rowIds.size() > kMaxCertificateRows ||
        issued.referenceIds.size() > kMaxCertificateReferences) {
        return {kMsgCertificateTooLarge, {issued.number}};
    }
    for (const std::string& id : issued.referenceIds)
        if (id.empty() || id.size() > kMaxReferenceIdLength) return {kMsgCertificateTooLarge, {issued.number}};
    return {};
}

QString RowIdsJson(const std::vector<int64_t>& ids) {
    QJsonArray array;
    for (int64_t id : ids) array.append(static_cast<qint64>(id));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QString ReferenceIdsJson(const std::vector<std::string>& ids) {
    QJsonArray array;
    for (const std::string& id : ids) array.append(SqlText(id));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// A stored list as a JSON array of at most `cap` elements; nothing when it
// is longer than `maxText`, not an array or too long.
std::optional<QJsonArray> StoredArray(const QString& text, qsizetype maxText, std::size_t cap) {
    if (text.size() > maxText) return std::nullopt;
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isArray()) return std::nullopt;
    const QJsonArray array = document.array();
    if (static_cast<std::size_t>(array.size()) > cap) return std::nullopt;
    return array;
}

// The certificate a query's row (kColumns, in order) holds; nothing, with
// the number it was stored under, when a field is past the bounds or a
// list does not parse.
std::optional<IssuedCertificate> StoredCertificate(const QSqlQuery& query, JournalError& error) {
    IssuedCertificate issued;
    std::string* texts[] = {&issued.number, &issued.replaces, &issued.issuedUtc, &issued.model,
                            &issued.loggerSerial};
    for (int at = 0; at < 5; ++at) *texts[at] = query.value(at).toString().toStdString();
    issued.digest = query.value(6).toString().toStdString();
    const auto rows = StoredRowIds(query.value(5).toString().toStdString());
    const auto references = StoredReferenceIds(query.value(7).toString().toStdString());
    issued.rowIds = rows.value_or(std::vector<int64_t>{});
    issued.referenceIds = references.value_or(std::vector<std::string>{});
    const std::string shownNumber = issued.number.substr(0, kMaxCertificateTextLength);
    if (!rows || !references || CheckBounds(issued)) {
        error = {kMsgCertificateRegisterMalformed, {shownNumber}};
        return std::nullopt;
    }
    return issued;
}

// Every certificate the statement selects (binding `value`), in the
// register's order.
std::optional<std::vector<IssuedCertificate>> Select(JournalStore& store, const QString& where,
                                                     const std::string& value, JournalError& error) {
    error = {};
    QSqlQuery query(store.Database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM certificate_register WHERE %2 ORDER BY id")
                      .arg(kColumns, where));
    query.addBindValue(SqlText(value));
    if (!query.exec()) {
        error = ReadError(query);
        return std::nullopt;
    }
    std::vector<IssuedCertificate> found;
    while (query.next()) {
        auto issued = StoredCertificate(query, error);
        if (!issued) return std::nullopt;
        found.push_back(std::move(*issued));
    }
    if (query.lastError().isValid()) {
        error = ReadError(query);
        return std::nullopt;
    }
    return found;
}

bool Insert(QSqlDatabase& db, const QString& sql, const QVariantList& values, JournalError& error) {
    QSqlQuery insert(db);
    insert.prepare(sql);
    for (const QVariant& value : values) insert.addBindValue(value);
    if (insert.exec()) return true;
    error = ErrorOf(kMsgJournalCannotAppend, insert);
    return false;
}

bool InsertCertificate(QSqlDatabase& db, const IssuedCertificate& issued, JournalError& error) {
    const QVariantList values = {SqlText(issued.number), SqlText(issued.replaces),
                                 SqlText(issued.issuedUtc), SqlText(issued.model),
                                 SqlText(issued.loggerSerial), RowIdsJson(issued.rowIds),
                                 SqlText(issued.digest), ReferenceIdsJson(issued.referenceIds)};
    if (!Insert(db, QStringLiteral("INSERT INTO certificate_register (%1) VALUES (?,?,?,?,?,?,?,?)").arg(kColumns),
                values, error)) {
        return false;
    }
    for (const std::string& id : issued.referenceIds) {
        if (!Insert(db, QStringLiteral("INSERT INTO certificate_reference (number, reference_id) VALUES (?,?)"),
                    {SqlText(issued.number), SqlText(id)}, error)) {
            return false;
        }
    }
    return true;
}

// Why the certificate cannot be registered now: its number is taken, or
// the number it replaces was never issued; empty when it can.
JournalError RegisterProblem(JournalStore& store, const IssuedCertificate& issued) {
    JournalError error;
    if (FindIssued(store, issued.number, error)) return {kMsgCertificateNumberTaken, {issued.number}};
    if (error || issued.replaces.empty()) return error;
    if (!FindIssued(store, issued.replaces, error) && !error)
        return {kMsgCertificateReplacesUnknown, {issued.replaces}};
    return error;
}

}  // namespace

std::optional<std::vector<int64_t>> StoredRowIds(const std::string& text) {
    const auto array = StoredArray(QString::fromStdString(text), kMaxRowIdsText, kMaxCertificateRows);
    if (!array) return std::nullopt;
    std::vector<int64_t> ids;
    for (const QJsonValue& value : *array) {
        const double number = value.toDouble(-1.0);
        if (!value.isDouble() || number < 1.0 || number > kMaxExactInteger || std::floor(number) != number)
            return std::nullopt;
        ids.push_back(static_cast<int64_t>(number));
    }
    return ids;
}

std::optional<std::vector<std::string>> StoredReferenceIds(const std::string& text) {
    const auto array = StoredArray(QString::fromStdString(text), kMaxReferenceIdsText, kMaxCertificateReferences);
    if (!array) return std::nullopt;
    std::vector<std::string> ids;
    for (const QJsonValue& value : *array) {
        const std::string id = value.toString().toStdString();
        if (!value.isString() || id.empty() || id.size() > kMaxReferenceIdLength) return std::nullopt;
        ids.push_back(id);
    }
    return ids;
}

bool RegisterCertificate(JournalStore& store, const IssuedCertificate& issued, JournalError& error) {
    error = CheckBounds(issued);
    if (error) return false;
    QSqlDatabase& db = store.Database();
    // SQLite: the write lock from the start, so that the check of the
    // number and the insert see the same register.
    const bool sqlite = db.driverName() == QLatin1String("QSQLITE");
    if (!Exec(db, sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"), kMsgJournalCannotAppend,
              error))
        return false;
    error = RegisterProblem(store, issued);
    if (!error && InsertCertificate(db, issued, error) &&
        Exec(db, QStringLiteral("COMMIT"), kMsgJournalCannotAppend, error))
        return true;
    JournalError ignored;
    Exec(db, QStringLiteral("ROLLBACK"), kMsgJournalCannotAppend, ignored);
    return false;
}

std::optional<IssuedCertificate> FindIssued(JournalStore& store, const std::string& number,
                                            JournalError& error) {
    auto found = Select(store, QStringLiteral("number = ?"), number, error);
    if (!found || found->empty()) return std::nullopt;
    return std::move(found->front());
}

std::optional<std::vector<IssuedCertificate>> IssuedRelyingOn(JournalStore& store,
                                                              const std::string& referenceId,
                                                              JournalError& error) {
    return Select(store,
                  QStringLiteral("number IN (SELECT number FROM certificate_reference WHERE reference_id = ?)"),
                  referenceId, error);
}

std::optional<std::vector<IssuedCertificate>> CorrectionsOf(JournalStore& store,
                                                            const std::string& number,
                                                            JournalError& error) {
    return Select(store, QStringLiteral("replaces = ?"), number, error);
}

}  // namespace tb::journal
