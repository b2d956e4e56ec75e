// trimbench certificate --serial S [--date D] [--customer TEXT] [--drift] --out FILE.pdf
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "journal/CertificateDay.h"
#include "journal/DriftSeries.h"
#include "journal/JournalLocation.h"
#ifdef TB_CLI_CERTIFICATE
#include <QGuiApplication>

#include "journal/Certificate.h"
#endif

namespace tb::cli {
namespace {

// The certificate of the day, as the journal window's button writes it;
// false with the reason.
bool WriteDayCertificate(const std::vector<journal::JournalEntry>& entries,
                         const std::vector<journal::DriftSeries>& drift, const std::string& customer,
                         const std::string& path, std::string& error) {
#ifdef TB_CLI_CERTIFICATE
    // The PDF writer draws with the GUI module (the program makes a GUI
    // application for this command).
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        error = "the PDF writer needs a GUI application";
        return false;
    }
    journal::CertificateHeader header = journal::ConfiguredHeader();
    if (!customer.empty()) header.customer = customer;
    return journal::WriteCertificate(entries, header, path, error, drift);
#else
    (void)entries;
    (void)drift;
    (void)customer;
    (void)path;
    error = "this build has no PDF writer";
    return false;
#endif
}

int Report(ExitCode code, const std::string& message, const std::string& path, std::size_t records,
           bool json, Terminal& terminal) {
    return FinishJournalCommand(
        "certificate", code, message, json, terminal,
        {{"file", code == ExitCode::Done ? QString::fromStdString(path) : QString()},
         {"records", static_cast<int>(records)}});
}

// The journal could not be read: nothing is drawn.
int Unreadable(const std::string& error, const std::string& path, bool json, Terminal& terminal) {
    return Report(ExitCode::Failure, Text(cli_text::JournalUnreadable, {error}), path, 0, json, terminal);
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
    std::string error;
    const auto latest = journal::LatestAdjustment(*store, serial, day, error);
    if (!error.empty()) return Unreadable(error, path, json, terminal);
    if (!latest) {
        const std::string on = day ? " (" + parser.Value("date") + ")" : std::string();
        return Report(ExitCode::NoRecord, Text(cli_text::NoRecordFor, {serial, on}), path, 0, json, terminal);
    }
    const auto dayEntries = journal::DayEntries(*store, *latest, error);
    if (!dayEntries) return Unreadable(error, path, json, terminal);
    const std::vector<journal::JournalEntry>& entries = *dayEntries;
    std::vector<journal::DriftSeries> drift;
    if (parser.IsSet("drift")) {
        auto series = journal::CertificateDrift(*store, entries, error);
        if (!series) return Unreadable(error, path, json, terminal);
        drift = std::move(*series);
    }
    if (!WriteDayCertificate(entries, drift, parser.Value("customer"), path, error))
        return Report(ExitCode::Failure, Text(cli_text::CertificateFailed, {error}), path, 0, json, terminal);
    return Report(ExitCode::Done, Text(cli_text::CertificateWritten, {path, std::to_string(entries.size())}),
                  path, entries.size(), json, terminal);
}

}  // namespace tb::cli
