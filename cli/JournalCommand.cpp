// trimbench journal [--serial S] [--since DATE] [--model M] [--csv | --json]
// trimbench journal reference ... (ReferenceCommand.cpp)
// trimbench journal verify ...    (JournalVerifyCommand.cpp)
#include <QJsonDocument>
#include <iomanip>

#include "cli/Arguments.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "cli/JsonOutput.h"
#include "journal/CertificateDay.h"
#include "journal/CsvExport.h"
#include "journal/JournalText.h"

namespace tb::cli {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// One record in the --json shape (documented in trimbench(1)).
QJsonObject RecordJson(const journal::JournalEntry& entry) {
    const QJsonArray channels =
        QJsonDocument::fromJson(QByteArray::fromStdString(entry.channels)).array();
    return {{"id", static_cast<qint64>(entry.id)},
            {"recordedUtc", Q(entry.recordedUtc)},
            {"utcOffsetMinutes", entry.utcOffsetMinutes},
            {"operator", Q(entry.operatorName)},
            {"programVersion", Q(entry.programVersion)},
            {"page", Q(entry.page)},
            {"model", Q(entry.model)},
            {"operation", Q(entry.operation)},
            {"unitSerial", Q(entry.unitSerial)},
            {"loggerSerial", Q(entry.loggerSerial)},
            {"tempUnit", Q(entry.tempUnit)},
            {"channels", channels},
            {"outcome", Q(entry.outcome)},
            {"messageId", entry.messageId},
            {"resultCode", entry.resultCode ? QJsonValue(*entry.resultCode) : QJsonValue()},
            {"historyEntry", Q(entry.historyEntry)},
            {"chain", Q(entry.chain)},
            {"references", QJsonDocument::fromJson(QByteArray::fromStdString(entry.references)).array()},
            {"ambientC", Q(entry.ambientC)},
            {"humidityPct", Q(entry.humidityPct)}};
}

void PrintTable(const std::vector<journal::JournalEntry>& entries, Terminal& terminal) {
    if (entries.empty()) {
        terminal.out << Text(T::JournalNone) << '\n';
        return;
    }
    const QStringList columns = Q(Text(T::JournalColumns)).split('|');
    auto& out = terminal.out;
    out << std::left;
    for (const QString& column : columns) out << column.toStdString() << "  ";
    out << '\n';
    for (const journal::JournalEntry& entry : entries) {
        out << std::setw(6) << entry.id << "  " << journal::LocalTimeText(entry) << "  "
            << std::setw(8) << entry.model << "  "
            << std::setw(10) << journal::OperationText(entry.operation) << "  " << std::setw(8)
            << journal::IdentityText(entry) << "  " << journal::OutcomeText(entry) << "  "
            << journal::ChannelsText(entry, journal::ChannelField::AsLeft) << '\n';
    }
}

// --serial, --since and --model into the store's filter; false after the
// error was reported.
bool FilterOf(const CommandParser& parser, journal::JournalFilter& filter, Terminal& terminal,
              int& exit) {
    if (parser.IsSet("serial")) filter.serial = JournalSerial(parser.Value("serial"));
    if (parser.IsSet("model")) {
        const ModelRow* row = FindModel(parser.Value("model"));
        if (!row) {
            exit = UsageError(terminal, Text(T::UnknownModel, {parser.Value("model"), ModelNames()}));
            return false;
        }
        filter.page = JournalPage(*row);
    }
    if (parser.IsSet("since")) {
        const auto day = ParseDay(parser.Value("since"), terminal, exit);
        if (!day) return false;
        filter.fromUtc = journal::UtcStartOf(*day, QTimeZone::systemTimeZone());
    }
    return true;
}

}  // namespace

int RunJournal(const QStringList& arguments, Terminal& terminal) {
    const QString action = arguments.value(1);
    if (action == QLatin1String("reference")) return RunJournalReference(arguments.mid(1), terminal);
    if (action == QLatin1String("verify")) return RunJournalVerify(arguments.mid(1), terminal);
    CommandParser parser(T::HelpJournal, QString());
    parser.AddValue("serial", T::OptSerial, "S");
    parser.AddValue("since", T::OptSince, "DATE");
    parser.AddValue("model", T::OptModel, "M");
    parser.AddFlag("csv", T::OptCsv);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    if (parser.IsSet("csv") && parser.IsSet("json")) return UsageError(terminal, Text(T::CsvWithJson));
    journal::JournalFilter filter;
    if (!FilterOf(parser, filter, terminal, exit)) return exit;
    const auto store = OpenConfiguredJournal(terminal, exit);
    if (!store) return exit;

    std::string error;
    const auto rows = journal::AllRows(*store, filter, error);
    if (!rows) {
        terminal.err << "trimbench: " << Text(T::JournalUnreadable, {error}) << '\n';
        return static_cast<int>(ExitCode::Failure);
    }
    const std::vector<journal::JournalEntry>& entries = *rows;
    if (parser.IsSet("csv")) {
        terminal.out << journal::CsvText(entries);
    } else if (parser.IsSet("json")) {
        QJsonArray records;
        for (const journal::JournalEntry& entry : entries) records.append(RecordJson(entry));
        PrintJson(terminal, {{"command", "journal"},
                             {"result", "done"},
                             {"exitCode", 0},
                             {"records", records}});
    } else {
        PrintTable(entries, terminal);
    }
    return static_cast<int>(ExitCode::Done);
}

}  // namespace tb::cli
