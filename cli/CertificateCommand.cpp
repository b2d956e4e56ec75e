// trimbench certificate --serial S [--date D] [--customer TEXT] [--customer-address TEXT]
//     [--approver NAME --approver-role ROLE] [--condition TEXT] [--receipt-date D]
//     [--no-uncertainty] [--replaces NUMBER] [--drift] [--dcc FILE.xml] --out FILE.pdf
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "journal/CertificateDay.h"
#include "journal/JournalError.h"
#include "resources/StringIds.h"
#ifdef TB_CLI_CERTIFICATE
#include <QGuiApplication>

#include "journal/DayCertificate.h"
#endif

namespace tb::cli {
namespace {

int Report(ExitCode code, const std::string& message, const std::string& path, std::size_t records,
           bool json, Terminal& terminal, const std::string& dcc = {}, const std::string& number = {}) {
    const bool done = code == ExitCode::Done;
    return FinishJournalCommand("certificate", code, message, json, terminal,
                                {{"file", done ? QString::fromStdString(path) : QString()},
                                 {"dcc", done ? QString::fromStdString(dcc) : QString()},
                                 {"number", QString::fromStdString(number)},
                                 {"records", static_cast<int>(records)}});
}

// The settings' header with what the options name instead.
journal::CertificateHeader HeaderOf(const CommandParser& parser) {
    journal::CertificateHeader header = journal::ConfiguredHeader();
    auto over = [&](const char* option, std::string& field) {
        if (!parser.Value(option).empty()) field = parser.Value(option);
    };
    over("customer", header.customer);
    over("customer-address", header.customerAddress);
    over("approver", header.approver);
    over("approver-role", header.approverRole);
    over("condition", header.itemCondition);
    over("receipt-date", header.receiptDate);
    over("replaces", header.replaces);
    header.uncertaintyNotEvaluated = parser.IsSet("no-uncertainty");
    return header;
}

int Failed(cli_text::Id text, const journal::JournalError& error, const std::string& path, bool json,
           Terminal& terminal) {
    return Report(ExitCode::Failure, Text(text, {journal::JournalErrorText(error)}), path, 0, json, terminal);
}

// The certificate of the adjustment's day, as the journal window's button
// writes it.
int WriteDayCertificate(journal::JournalStore& store, const journal::JournalEntry& latest,
                        const CommandParser& parser, const std::string& path, bool json,
                        Terminal& terminal) {
    using namespace resources::strings;
#ifdef TB_CLI_CERTIFICATE
    // The PDF writer draws with the GUI module (the program makes a GUI
    // application for this command).
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return Failed(cli_text::CertificateFailed, {kMsgPdfNeedsWindow}, path, json, terminal);
    const std::string dcc = parser.Value("dcc");
    const journal::CertificateOutcome outcome = journal::WriteCertificateOf(
        store, {latest, true, parser.IsSet("drift"), HeaderOf(parser), path, dcc});
    switch (outcome.result) {
        case journal::CertificateResult::Written:
            return Report(ExitCode::Done, Text(cli_text::CertificateWritten, {path, std::to_string(outcome.records)}),
                          path, outcome.records, json, terminal, dcc, outcome.number);
        case journal::CertificateResult::Unreadable:
            return Report(ExitCode::Failure, journal::JournalErrorText(outcome.error), path, 0, json, terminal);
        case journal::CertificateResult::Incomplete:
            return Report(ExitCode::NotIssued,
                          Text(cli_text::CertificateNotIssued, {journal::JournalErrorText(outcome.error)}), path,
                          0, json, terminal);
        case journal::CertificateResult::NotWritten: break;
    }
    return Failed(cli_text::CertificateFailed, outcome.error, path, json, terminal);
#else
    (void)store;
    (void)latest;
    (void)parser;
    return Failed(cli_text::CertificateFailed, {kMsgNoPdfWriter}, path, json, terminal);
#endif
}

}  // namespace

int RunCertificate(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpCertificate, QString());
    parser.AddValue("serial", cli_text::OptSerial, "S");
    parser.AddValue("date", cli_text::OptDate, "D");
    parser.AddValue("out", cli_text::OptOut, "FILE.pdf");
    parser.AddValue("customer", cli_text::OptCustomer, "TEXT");
    parser.AddValue("customer-address", cli_text::OptCustomerAddress, "TEXT");
    parser.AddValue("approver", cli_text::OptApprover, "NAME");
    parser.AddValue("approver-role", cli_text::OptApproverRole, "ROLE");
    parser.AddValue("condition", cli_text::OptCondition, "TEXT");
    parser.AddValue("receipt-date", cli_text::OptReceiptDate, "D");
    parser.AddFlag("no-uncertainty", cli_text::OptNoUncertainty);
    parser.AddValue("replaces", cli_text::OptReplaces, "NUMBER");
    parser.AddFlag("drift", cli_text::OptDrift);
    parser.AddValue("dcc", cli_text::OptDcc, "FILE.xml");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    if (!parser.IsSet("serial")) return UsageError(terminal, Text(cli_text::MissingSerial));
    if (!parser.IsSet("out") || parser.Value("out").empty())
        return UsageError(terminal, Text(cli_text::MissingOut));
    std::optional<QDate> day;
    if (parser.IsSet("date") && !(day = ParseDay(parser.Value("date"), terminal, exit))) return exit;
    if (parser.IsSet("receipt-date") && !ParseDay(parser.Value("receipt-date"), terminal, exit)) return exit;
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;

    const bool json = parser.IsSet("json");
    const std::string serial = JournalSerial(parser.Value("serial"));
    const std::string path = parser.Value("out");
    journal::JournalError error;
    const auto latest = journal::LatestAdjustment(*store, serial, day, error);
    if (error) return Report(ExitCode::Failure, journal::JournalErrorText(error), path, 0, json, terminal);
    if (!latest) {
        const std::string on = day ? " (" + parser.Value("date") + ")" : std::string();
        return Report(ExitCode::NoRecord, Text(cli_text::NoRecordFor, {serial, on}), path, 0, json, terminal);
    }
    return WriteDayCertificate(*store, *latest, parser, path, json, terminal);
}

}  // namespace tb::cli
