// trimbench certificate --serial S [--date D] [--customer TEXT] [--drift] --out FILE.pdf
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
           bool json, Terminal& terminal) {
    return FinishJournalCommand(
        "certificate", code, message, json, terminal,
        {{"file", code == ExitCode::Done ? QString::fromStdString(path) : QString()},
         {"records", static_cast<int>(records)}});
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
    journal::CertificateHeader header = journal::ConfiguredHeader();
    if (!parser.Value("customer").empty()) header.customer = parser.Value("customer");
    const journal::CertificateOutcome outcome = journal::WriteCertificateOf(
        store, {latest, true, parser.IsSet("drift"), header, path});
    switch (outcome.result) {
        case journal::CertificateResult::Written:
            return Report(ExitCode::Done, Text(cli_text::CertificateWritten, {path, std::to_string(outcome.records)}),
                          path, outcome.records, json, terminal);
        case journal::CertificateResult::Unreadable:
            return Report(ExitCode::Failure, journal::JournalErrorText(outcome.error), path, 0, json, terminal);
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
    parser.AddFlag("drift", cli_text::OptDrift);
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    if (!parser.IsSet("serial")) return UsageError(terminal, Text(cli_text::MissingSerial));
    if (!parser.IsSet("out") || parser.Value("out").empty())
        return UsageError(terminal, Text(cli_text::MissingOut));
    std::optional<QDate> day;
    if (parser.IsSet("date") && !(day = ParseDay(parser.Value("date"), terminal, exit))) return exit;
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
