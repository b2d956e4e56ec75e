// trimbench journal verify [--certificate FILE.pdf | --certificate NUMBER]
//                          [--sqlite FILE | --postgresql OPTIONS]
#include <QJsonObject>

#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "journal/CertificateCheck.h"
#include "journal/JournalError.h"

namespace tb::cli {
namespace {

int Finish(ExitCode code, const std::string& message, bool json, Terminal& terminal,
           const QJsonObject& details = {}) {
    return FinishJournalCommand("journal verify", code, message, json, terminal, details);
}

int VerifyChain(journal::JournalStore& store, bool json, Terminal& terminal) {
    const journal::VerifyReport report = store.Verify();
    const QJsonObject details{
        {"rows", static_cast<qint64>(report.rows)},
        {"firstBroken", report.firstBroken ? QJsonValue(static_cast<qint64>(*report.firstBroken)) : QJsonValue()}};
    if (!report.readable)
        return Finish(ExitCode::Failure, journal::JournalErrorText(report.error), json, terminal);
    if (report.firstBroken)
        return Finish(ExitCode::Failure, Text(cli_text::VerifyBroken, {std::to_string(*report.firstBroken)}), json,
                      terminal, details);
    return Finish(ExitCode::Done, Text(cli_text::VerifyIntact, {std::to_string(report.rows)}), json, terminal,
                  details);
}

int VerifyCertificate(journal::JournalStore& store, const std::string& named, bool json, Terminal& terminal) {
    const journal::SealCheck check = journal::CheckCertificate(store, named);
    if (!check.matches)
        return Finish(ExitCode::Failure,
                      Text(cli_text::CertificateDiffers, {check.number, journal::JournalErrorText(check.reason)}),
                      json, terminal);
    return Finish(ExitCode::Done, Text(cli_text::CertificateMatches, {check.number, std::to_string(check.rows)}),
                  json, terminal);
}

}  // namespace

int RunJournalVerify(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpVerify, QString());
    parser.AddValue("certificate", cli_text::OptCertificateFile, "FILE.pdf|NUMBER");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit) || !parser.NoPositional(terminal, exit)) return exit;
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;
    const bool json = parser.IsSet("json");
    if (parser.IsSet("certificate")) return VerifyCertificate(*store, parser.Value("certificate"), json, terminal);
    return VerifyChain(*store, json, terminal);
}

}  // namespace tb::cli
