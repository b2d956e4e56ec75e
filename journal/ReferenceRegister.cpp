#include "journal/ReferenceRegister.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <map>

#include "journal/JournalEntry.h"
#include "resources/StringIds.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::optional<QDate> DayOf(const std::string& text) {
    const QDate day = QDate::fromString(Q(text), Qt::ISODate);
    if (!day.isValid() || text.size() != 10) return std::nullopt;
    return day;
}

bool IdCharacterAllowed(char c) {
    return static_cast<unsigned char>(c) > 0x20 && c != 0x7F && c != ',' && c != ';';
}

}  // namespace

bool ReferenceInstrument::ExpiredOn(const QDate& today) const {
    const auto due = DayOf(dueOn);
    return !due || today > *due;
}

JournalError ReferenceProblem(const ReferenceInstrument& instrument) {
    const std::string& id = instrument.id;
    if (id.empty() || id.size() > kMaxReferenceIdLength) return {kMsgReferenceIdLength};
    for (char c : id)
        if (!IdCharacterAllowed(c)) return {kMsgReferenceIdCharacters};
    if (instrument.certificate.empty()) return {kMsgReferenceNoCertificate};
    for (const std::string* text : {&instrument.description, &instrument.certificate})
        if (text->size() > kMaxReferenceTextLength) return {kMsgReferenceTextTooLong};
    const auto calibrated = DayOf(instrument.calibratedOn);
    const auto due = DayOf(instrument.dueOn);
    if (!calibrated) return {kMsgReferenceBadCalibrated, {instrument.calibratedOn}};
    if (!due) return {kMsgReferenceBadDue, {instrument.dueOn}};
    if (*due < *calibrated) return {kMsgReferenceDueBeforeCalibrated};
    return {};
}

bool ReferenceRegister::Add(const ReferenceInstrument& instrument, JournalError& error) {
    error = ReferenceProblem(instrument);
    if (error) return false;
    const auto known = Find(instrument.id, error);
    if (error) return false;
    if (known && known->retired) {
        error = {kMsgReferenceRetiredId, {instrument.id}};
        return false;
    }
    return Record(instrument, "add", error);
}

bool ReferenceRegister::Retire(const std::string& id, JournalError& error) {
    const auto known = Find(id, error);
    if (error) return false;
    if (!known) {
        error = {kMsgReferenceNotRegistered, {id}};
    } else if (known->retired) {
        error = {kMsgReferenceAlreadyRetired, {id}};
    } else {
        return Record(*known, "retire", error);
    }
    return false;
}

bool ReferenceRegister::Record(const ReferenceInstrument& instrument, const char* action,
                               JournalError& error) {
    const RecordContext context = CurrentContext();
    QSqlQuery insert(store_.Database());
    insert.prepare(QStringLiteral(
        "INSERT INTO reference_event (reference_id, action, description, certificate, "
        "calibrated_on, due_on, recorded_utc, operator) VALUES (?,?,?,?,?,?,?,?)"));
    for (const QVariant& value :
         QVariantList{Q(instrument.id), QString::fromLatin1(action), Q(instrument.description),
                      Q(instrument.certificate), Q(instrument.calibratedOn), Q(instrument.dueOn),
                      Q(context.recordedUtc), Q(context.operatorName)}) {
        insert.addBindValue(value);
    }
    if (insert.exec()) return true;
    error = {kMsgReferenceNotRecorded, {insert.lastError().text().toStdString()}};
    return false;
}

std::optional<std::vector<ReferenceInstrument>> ReferenceRegister::List(JournalError& error) {
    QSqlQuery query(store_.Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT reference_id, action, description, certificate, calibrated_on, due_on "
            "FROM reference_event ORDER BY id"))) {
        error = {kMsgJournalCannotRead, {query.lastError().text().toStdString()}};
        return std::nullopt;
    }
    std::map<std::string, ReferenceInstrument> current;
    while (query.next()) {
        ReferenceInstrument& instrument = current[query.value(0).toString().toStdString()];
        instrument.id = query.value(0).toString().toStdString();
        if (query.value(1).toString() == QLatin1String("retire")) {
            instrument.retired = true;
            continue;
        }
        instrument.description = query.value(2).toString().toStdString();
        instrument.certificate = query.value(3).toString().toStdString();
        instrument.calibratedOn = query.value(4).toString().toStdString();
        instrument.dueOn = query.value(5).toString().toStdString();
    }
    if (query.lastError().isValid()) {
        error = {kMsgJournalCannotRead, {query.lastError().text().toStdString()}};
        return std::nullopt;
    }
    std::vector<ReferenceInstrument> instruments;
    for (auto& [id, instrument] : current) instruments.push_back(std::move(instrument));
    return instruments;
}

std::optional<ReferenceInstrument> ReferenceRegister::Find(const std::string& id,
                                                           JournalError& error) {
    error = {};
    const auto all = List(error);
    if (!all) return std::nullopt;
    for (const ReferenceInstrument& instrument : *all)
        if (instrument.id == id) return instrument;
    return std::nullopt;
}

}  // namespace tb::journal
