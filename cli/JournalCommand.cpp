// trimbench journal [--serial S] [--since DATE] [--model M] [--csv | --json]
// trimbench journal verify [--json]
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
            {"chain", Q(entry.chain)}};
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
        filter.model = JournalModel(*row);
    }
    if (parser.IsSet("since")) {
        const auto day = ParseDay(parser.Value("since"), terminal, exit);
        if (!day) return false;
        filter.fromUtc = journal::UtcStartOf(*day, QTimeZone::systemTimeZone());
    }
    return true;
}

// Walks the chain: done when it holds, Failure naming the first broken row.
int Verify(journal::JournalStore& store, bool json, Terminal& terminal) {
    const journal::VerifyReport report = store.Verify();
    const ExitCode code = report.Intact() ? ExitCode::Done : ExitCode::Failure;
    std::string message;
    if (!report.readable) {
        message = Text(T::JournalUnreadable, {report.error});
    } else if (report.firstBroken) {
        message = Text(T::JournalBroken, {std::to_string(*report.firstBroken)});
    } else {
        message = Text(T::JournalIntact, {std::to_string(report.rows)});
    }
    if (json) {
        PrintJson(terminal, {{"command", "journal verify"},
                             {"result", QString::fromUtf8(ResultName(code).data())},
                             {"exitCode", static_cast<int>(code)},
                             {"rows", static_cast<qint64>(report.rows)},
                             {"firstBroken", report.firstBroken ? QJsonValue(static_cast<qint64>(*report.firstBroken))
                                                                : QJsonValue()},
                             {"message", Q(message)}});
    } else {
        (code == ExitCode::Done ? terminal.out : terminal.err) << message << '\n';
    }
    return static_cast<int>(code);
}

}  // namespace

int RunJournal(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(T::HelpJournal, QStringLiteral("[verify]"));
    parser.AddValue("serial", T::OptSerial, "S");
    parser.AddValue("since", T::OptSince, "DATE");
    parser.AddValue("model", T::OptModel, "M");
    parser.AddFlag("csv", T::OptCsv);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    const bool verify = parser.Positional().value(0) == QStringLiteral("verify");
    if (verify && parser.Positional().size() > 1)
        return UsageError(terminal, Text(T::ExtraArguments, {parser.Positional()[1].toStdString()}));
    if (!verify && !parser.NoPositional(terminal, exit)) return exit;
    if (verify) {
        const auto store = OpenConfiguredJournal(terminal, exit);
        return store ? Verify(*store, parser.IsSet("json"), terminal) : exit;
    }
    if (parser.IsSet("csv") && parser.IsSet("json")) return UsageError(terminal, Text(T::CsvWithJson));
    journal::JournalFilter filter;
    if (!FilterOf(parser, filter, terminal, exit)) return exit;
    const auto store = OpenConfiguredJournal(terminal, exit);
    if (!store) return exit;

    const std::vector<journal::JournalEntry> entries = journal::AllRows(*store, filter);
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
