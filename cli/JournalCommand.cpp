// trimbench journal [--serial S] [--since DATE] [--model M] [--reference ID] [--csv | --json]
// trimbench journal export-csv FILE [--serial S] [--since DATE] [--model M]
// (both also [--sqlite FILE | --postgresql OPTIONS])
// trimbench journal grant-writer ... (JournalGrantCommand.cpp)
// trimbench journal reference ... (ReferenceCommand.cpp)
// trimbench journal verify ...    (JournalVerifyCommand.cpp)
// trimbench journal due ...       (JournalDueCommand.cpp)
#include <QJsonDocument>
#include <iomanip>

#include "cli/Arguments.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "cli/JsonOutput.h"
#include "journal/CertificateDay.h"
#include "journal/CertificateRegister.h"
#include "journal/CsvExport.h"
#include "journal/JournalColumns.h"
#include "journal/JournalText.h"
#include "journal/ReferenceRegister.h"

namespace tb::cli {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void PrintTable(const std::vector<journal::JournalEntry>& entries, Terminal& terminal) {
    if (entries.empty()) {
        terminal.out << Text(cli_text::JournalNone) << '\n';
        return;
    }
    const QStringList columns = Q(Text(cli_text::JournalColumns)).split('|');
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
            exit = UsageError(terminal, Text(cli_text::UnknownModel, {parser.Value("model"), ModelNames()}));
            return false;
        }
        filter.model = std::string(row->model);
        // Rows that named the logger by its page only.
        filter.pageModel = std::string(row->page);
    }
    if (parser.IsSet("since")) {
        const auto day = ParseDay(parser.Value("since"), terminal, exit);
        if (!day) return false;
        filter.fromUtc = journal::UtcStartOf(*day, QTimeZone::systemTimeZone());
    }
    if (parser.IsSet("reference")) {
        filter.reference = parser.Value("reference");
        if (filter.reference.empty() || filter.reference.size() > journal::kMaxReferenceIdLength) {
            exit = UsageError(terminal, Text(cli_text::BadReferenceId, {filter.reference}));
            return false;
        }
    }
    return true;
}

// The options listing and export share.
void AddSelection(CommandParser& parser) {
    parser.AddValue("serial", cli_text::OptSerial, "S");
    parser.AddValue("since", cli_text::OptSince, "DATE");
    parser.AddValue("model", cli_text::OptModel, "M");
    parser.AddValue("reference", cli_text::OptRelyingOn, "ID");
    AddJournalOptions(parser);
}

// The rows the options select, newest first; nothing after the error was
// reported.
std::optional<std::vector<journal::JournalEntry>> SelectedRows(const CommandParser& parser,
                                                               Terminal& terminal, int& exit) {
    journal::JournalFilter filter;
    if (!FilterOf(parser, filter, terminal, exit)) return std::nullopt;
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return std::nullopt;
    journal::JournalError error;
    auto rows = journal::AllRows(*store, filter, error);
    if (!rows) exit = ReportJournalError(error, terminal);
    return rows;
}

QJsonArray JsonArrayOf(const std::vector<std::string>& texts) {
    QJsonArray array;
    for (const std::string& text : texts) array.append(Q(text));
    return array;
}

QJsonObject CertificateJson(const journal::IssuedCertificate& issued) {
    QJsonArray rows;
    for (int64_t id : issued.rowIds) rows.append(static_cast<qint64>(id));
    return {{"number", Q(issued.number)},           {"replaces", Q(issued.replaces)},
            {"issuedUtc", Q(issued.issuedUtc)},     {"model", Q(issued.model)},
            {"loggerSerial", Q(issued.loggerSerial)}, {"rows", rows},
            {"digest", Q(issued.digest)},           {"references", JsonArrayOf(issued.referenceIds)}};
}

void PrintCertificates(const std::string& reference,
                       const std::vector<journal::IssuedCertificate>& certificates, Terminal& terminal) {
    auto& out = terminal.out;
    out << '\n' << Text(cli_text::CertificatesRelying, {reference}) << '\n';
    if (certificates.empty()) {
        out << Text(cli_text::CertificatesNone) << '\n';
        return;
    }
    for (const QString& column : Q(Text(cli_text::CertificateColumns)).split('|'))
        out << column.toStdString() << "  ";
    out << '\n';
    for (const journal::IssuedCertificate& issued : certificates) {
        out << std::setw(22) << issued.number << "  " << issued.issuedUtc << "  " << std::setw(8)
            << issued.model << "  " << std::setw(8) << issued.loggerSerial << "  " << issued.replaces
            << '\n';
    }
}

// The certificates that relied on the --reference; nothing after the
// error was reported.
std::optional<std::vector<journal::IssuedCertificate>> RelyingCertificates(const CommandParser& parser,
                                                                          Terminal& terminal, int& exit) {
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return std::nullopt;
    journal::JournalError error;
    auto certificates = journal::IssuedRelyingOn(*store, parser.Value("reference"), error);
    if (!certificates) {
        terminal.err << "trimbench: " << Text(cli_text::JournalUnreadable, {journal::JournalErrorText(error)})
                     << '\n';
        exit = static_cast<int>(ExitCode::Failure);
    }
    return certificates;
}

// trimbench journal export-csv FILE: the same bytes as --csv, written
// whole or not at all.
int RunJournalExport(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpExportCsv, "FILE");
    AddSelection(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    if (parser.Positional().size() != 1 || parser.Positional()[0].isEmpty())
        return UsageError(terminal, Text(cli_text::ExportCsvUsage));
    const std::string path = parser.Positional()[0].toStdString();
    const auto rows = SelectedRows(parser, terminal, exit);
    if (!rows) return exit;
    const bool json = parser.IsSet("json");
    journal::JournalError error;
    if (!journal::WriteFileAtomically(path, journal::CsvText(*rows), error))
        return FinishJournalCommand("journal export-csv", ExitCode::Failure,
                                    journal::JournalErrorText(error), json, terminal);
    return FinishJournalCommand("journal export-csv", ExitCode::Done,
                                Text(cli_text::CsvWritten, {std::to_string(rows->size()), path}), json,
                                terminal,
                                {{"file", QString::fromStdString(path)},
                                 {"records", static_cast<qint64>(rows->size())}});
}

}  // namespace

int RunJournal(const QStringList& arguments, Terminal& terminal) {
    const QString action = arguments.value(1);
    if (action == QLatin1String("reference")) return RunJournalReference(arguments.mid(1), terminal);
    if (action == QLatin1String("verify")) return RunJournalVerify(arguments.mid(1), terminal);
    if (action == QLatin1String("due")) return RunJournalDue(arguments.mid(1), terminal);
    if (action == QLatin1String("export-csv")) return RunJournalExport(arguments.mid(1), terminal);
    if (action == QLatin1String("grant-writer")) return RunJournalGrant(arguments.mid(1), terminal);
    CommandParser parser(cli_text::HelpJournal, QString());
    AddSelection(parser);
    parser.AddFlag("csv", cli_text::OptCsv);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    if (parser.IsSet("csv") && parser.IsSet("json")) return UsageError(terminal, Text(cli_text::CsvWithJson));
    const auto rows = SelectedRows(parser, terminal, exit);
    if (!rows) return exit;
    const std::vector<journal::JournalEntry>& entries = *rows;
    const bool byReference = parser.IsSet("reference") && !parser.IsSet("csv");
    std::vector<journal::IssuedCertificate> certificates;
    if (byReference) {
        auto relying = RelyingCertificates(parser, terminal, exit);
        if (!relying) return exit;
        certificates = std::move(*relying);
    }
    if (parser.IsSet("csv")) {
        terminal.out << journal::CsvText(entries);
    } else if (parser.IsSet("json")) {
        QJsonArray records;
        for (const journal::JournalEntry& entry : entries) records.append(journal::EntryJson(entry));
        QJsonObject result{{"command", "journal"}, {"result", "done"}, {"exitCode", 0}, {"records", records}};
        if (byReference) {
            QJsonArray issued;
            for (const journal::IssuedCertificate& certificate : certificates)
                issued.append(CertificateJson(certificate));
            result.insert("certificates", issued);
        }
        PrintJson(terminal, result);
    } else {
        PrintTable(entries, terminal);
        if (byReference) PrintCertificates(parser.Value("reference"), certificates, terminal);
    }
    return static_cast<int>(ExitCode::Done);
}

}  // namespace tb::cli
